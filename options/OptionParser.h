// The option parser's interface; the rules in full are the reference pages docs/options-*.md.
#pragma once

#include "options/ConfigEntry.h"
#include "options/DefaultText.h"
#include "options/Export.h"
#include "options/Messages.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace conkit {

/// @name Text helpers
/// @{

/// True when `text` begins with `prefix`, byte for byte.
[[nodiscard]] CONKIT_OPTIONS_API bool startsWith(const std::string& text,
                                                 const std::string& prefix);
/// Cuts `text` at the first `separator` into `first` and `second`; 2 when
/// there is one, else 1 with the whole text in `first`. Either may be `text`.
CONKIT_OPTIONS_API int splitAt(const std::string& text, char separator, std::string& first,
                               std::string& second);
/// The last component of `path`, after its last '/' or else its last '\\'.
[[nodiscard]] CONKIT_OPTIONS_API std::string baseName(const std::string& path);
/// Splits `line` into words at blanks and tabs outside double quotes (@ref options_syntax_split).
[[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> splitCommandLine(const std::string& line);
/// @}

/// The rules a parse follows; see `OptionParser::setSyntax`.
enum class Syntax {
    classic, ///< The default: "--name", "-name" or "/name" (@ref options_syntax_classic).
    gnu      ///< getopt_long's, with permutation: "--name", "-abc" (@ref options_syntax_gnu).
};

/// When printed help is coloured; see `OptionParser::setColour`.
enum class ColourMode {
    never,     ///< Never: the default but for a tool.
    automatic, ///< On a terminal that takes it, unless NO_COLOR is set (@ref
               ///< options_help_terminal).
    always     ///< Whatever the output.
};

/// Why the latest parse failed; see `OptionParser::errorKind`.
enum class ParseErrorKind {
    none,               ///< The parse succeeded, or failed with no error line (no words at all).
    unknownOption,      ///< An option word named no option.
    missingArgument,    ///< An option that needs a value got none.
    unexpectedArgument, ///< A value was given to an option that takes none (gnu syntax).
    ambiguousOption,    ///< An abbreviated long name begins several long names (gnu syntax).
    invalidValue,       ///< A value broke its option's choices or range.
    missingOption,      ///< A required option got a value from no source.
    conflictingOptions, ///< Two options of an exclusive group were named.
    unknownCommand,     ///< The word where a command belongs names no command.
    missingCommand,     ///< A command is required and none was given.
    missingOperand,     ///< A required operand got no word.
    extraOperand,       ///< A positional word was left that no operand takes.
    badConfig,          ///< The configuration file was unreadable or named nothing known.
    badResponseFile,    ///< A response file was unreadable or nested too deeply (gnu syntax).
    usage               ///< Not a parse's: the tool called `OptionParser::usageError`.
};

/// Where the value that `OptionParser::value` answers came from.
enum class ValueSource {
    none,         ///< No parse gave the option a value, and it has no default.
    commandLine,  ///< The latest parse's command line named the option.
    environment,  ///< The option's environment variable, the command line not naming it.
    defaultValue, ///< None of the others: the option's default.
    configFile    ///< The configuration file, neither command line nor environment giving it.
};

namespace detail {
struct ParserState;
struct ParserAccess;
} // namespace detail

/// A command-line option parser: a table of options (@ref options_table), the parse of a command
/// line into it (@ref options_syntax), queries on the result, help, man page and completion.
/// It throws nothing; unasked, it prints only a failed parse's error line (@ref options_errors).
class OptionParser {
public:
    /// The type of counts and indexes of positional arguments.
    using size_type = std::size_t;
    /// Gives the completion candidates for the typed prefix of a value.
    using Completer = std::vector<std::string> (*)(const std::string& typed);
    /// A rule of the tool's own: "" when `value` is good, else the reason the error line shows.
    using Check = std::string (*)(const std::string& value);
    /// A completer that also sees what the words before the cursor gave (@ref options_rules_line).
    using LineCompleter = std::vector<std::string> (*)(const OptionParser& line,
                                                       const std::string& typed);

    // One option of the table, and what describes it: options/Option.h.
    struct Option;
    // A positional word the tool declares: options/Option.h.
    struct Operand;

    /// Reads an environment variable: its text, or nullptr when it is not set.
    using Environment = const char* (*)(const char* variable);
    /// Where `value` answered from; also `conkit::ValueSource`.
    using ValueSource = conkit::ValueSource;

    /// A parser with no options, usage or version text.
    CONKIT_OPTIONS_API OptionParser();
    /// A parser with a usage text ("%prog" stands for the program) and a version text.
    CONKIT_OPTIONS_API OptionParser(const std::string& usage, const std::string& version);
    /// An independent copy: the same options, texts, commands and results.
    CONKIT_OPTIONS_API OptionParser(const OptionParser& other);
    /// Takes over `other`'s options; `other` may then only be assigned or destroyed.
    CONKIT_OPTIONS_API OptionParser(OptionParser&& other) noexcept;
    /// Becomes an independent copy of `other`.
    CONKIT_OPTIONS_API OptionParser& operator=(const OptionParser& other);
    /// Takes over `other`'s options.
    CONKIT_OPTIONS_API OptionParser& operator=(OptionParser&& other) noexcept;
    /// Frees the parser; pointers from findOption end with it.
    CONKIT_OPTIONS_API ~OptionParser();
    /// A parser set up as a Unix tool: gnu syntax, errors to std::cerr, `-h`/`--help`,
    /// `-V`/`--version` and the hidden `--completion=SHELL` and `--man-page` (@ref options_tool).
    [[nodiscard]] CONKIT_OPTIONS_API static OptionParser
    tool(const std::string& name, const std::string& version, const std::string& description);

    /// @name Defining options
    /// See @ref options_table.
    /// @{

    /// Replaces the usage text.
    CONKIT_OPTIONS_API void setUsage(const std::string& text);
    /// Replaces the version text.
    CONKIT_OPTIONS_API void setVersion(const std::string& text);
    /// Adds an option; false when it names nothing or clashes with one already there.
    CONKIT_OPTIONS_API bool addOption(char shortName, const std::string& longName, bool needArg,
                                      const std::string& defaultValue, const std::string& help);
    /// addOption with a default of any type a std::ostream can write, as it writes it.
    template <class T>
    bool addOption(char shortName, const std::string& longName, bool needArg, const T& defaultValue,
                   const std::string& help) {
        return addOption(shortName, longName, needArg, defaultText(defaultValue), help);
    }
    /// Adds `-h`, `--help`, "print help info".
    CONKIT_OPTIONS_API void addHelpOption();
    /// Adds `-v`, `--version`, "print version info".
    CONKIT_OPTIONS_API void addVersionOption();
    /// The option findOption(name) finds, to describe further; else a scratch option.
    CONKIT_OPTIONS_API Option& describe(const std::string& name);
    /// At most one of these options may be named in one parse.
    CONKIT_OPTIONS_API OptionParser& exclusive(const std::vector<std::string>& names);
    /// Adds a sub-command (or replaces its help) and returns its parser.
    CONKIT_OPTIONS_API OptionParser& addCommand(const std::string& name, const std::string& help);
    /// Declares the next operand, or replaces the help of the one named `name`.
    CONKIT_OPTIONS_API Operand& addOperand(const std::string& name, const std::string& help);
    /// When true, a parse without a command fails.
    CONKIT_OPTIONS_API void setCommandRequired(bool required) noexcept;
    /// For a command's parser: the command still works, but choosing it warns with `advice`.
    CONKIT_OPTIONS_API void setDeprecated(const std::string& advice);
    /// The option with long name or alias `name` (for one character, short name), or nullptr.
    [[nodiscard]] CONKIT_OPTIONS_API Option* findOption(const std::string& name);
    /// The same, read-only.
    [[nodiscard]] CONKIT_OPTIONS_API const Option* findOption(const std::string& name) const;
    /// True when `option` conflicts with an option of the table.
    [[nodiscard]] CONKIT_OPTIONS_API bool hasConflict(const Option& option) const;
    /// Clears the results of the latest parse, as a parse does first.
    CONKIT_OPTIONS_API void reset();
    /// @}

    /// @name Parsing
    /// See @ref options_syntax.
    /// @{

    /// The rules to follow; Syntax::classic by default.
    CONKIT_OPTIONS_API void setSyntax(Syntax rules) noexcept;
    /// The rules followed.
    [[nodiscard]] CONKIT_OPTIONS_API Syntax syntax() const noexcept;
    /// gnu: the first positional word ends the options.
    CONKIT_OPTIONS_API void setStopAtFirstArgument(bool stop) noexcept;
    /// gnu: a word "@FILE" stands for FILE's words; off by default (@ref options_syntax_response).
    CONKIT_OPTIONS_API void setResponseFiles(bool on) noexcept;
    /// Parses an argument vector; word 0 is the program. False after an error.
    CONKIT_OPTIONS_API bool parse(int argc, const char* const* argv);
    /// Parses a word list; word 0 is the program.
    CONKIT_OPTIONS_API bool parse(const std::vector<std::string>& words);
    /// Parses one command line, split as splitCommandLine splits it.
    CONKIT_OPTIONS_API bool parse(const std::string& line);
    /// Parses, then answers completion, man page, errors, help and version on `out`: their
    /// exit status, or none when the tool is to do its work (see @ref options_tool_answers).
    CONKIT_OPTIONS_API std::optional<int> parseAndAnswer(int argc, const char* const* argv,
                                                         std::ostream& out);
    /// parseAndAnswer answering on standard output.
    CONKIT_OPTIONS_API std::optional<int> parseAndAnswer(int argc, const char* const* argv);
    /// The program's name in help, errors and scripts; "" (the default): word 0's base name.
    CONKIT_OPTIONS_API void setProgramName(const std::string& name);
    /// Where environment fallbacks are read; std::getenv by default, nullptr for nowhere.
    CONKIT_OPTIONS_API void setEnvironment(Environment variables) noexcept;
    /// Every parse reads a configuration file with `reader`: the value of option
    /// `optionName` when given, else `defaultPath` ("": none). See @ref options_config.
    CONKIT_OPTIONS_API void setConfigFile(const std::string& optionName,
                                          const std::string& defaultPath, ConfigReader reader);
    /// Where error lines go; &std::cout by default, nullptr for nowhere.
    CONKIT_OPTIONS_API void setErrorOutput(std::ostream* out) noexcept;
    /// The translation of the library's own texts; nullptr (the default): the
    /// parent's for a command, else English (see @ref options_messages).
    CONKIT_OPTIONS_API void setTranslator(Translator translate) noexcept;
    /// @}

    /// @name Help and version
    /// See @ref options_help.
    /// @{

    /// The help text of the syntax in use.
    [[nodiscard]] CONKIT_OPTIONS_API std::string helpText() const;
    /// The usage text with "%prog" replaced by the program name.
    [[nodiscard]] CONKIT_OPTIONS_API std::string usageText() const;
    /// Prints the help text on standard output.
    CONKIT_OPTIONS_API void printHelp() const;
    /// Prints the help text on `out`.
    CONKIT_OPTIONS_API void printHelp(std::ostream& out) const;
    /// Prints the version text and an end of line on standard output.
    CONKIT_OPTIONS_API void printVersion() const;
    /// Prints the version text and an end of line on `out`.
    CONKIT_OPTIONS_API void printVersion(std::ostream& out) const;
    /// The version text.
    [[nodiscard]] CONKIT_OPTIONS_API std::string getVersion() const;
    /// @}

    /// @name Queries on the latest parse
    /// See @ref options_queries.
    /// @{

    /// True when the option with this short name is set.
    [[nodiscard]] CONKIT_OPTIONS_API bool isSet(char shortName) const;
    /// True when the option `name` is set.
    [[nodiscard]] CONKIT_OPTIONS_API bool isSet(const std::string& name) const;
    /// True when the option "help" is set.
    [[nodiscard]] CONKIT_OPTIONS_API bool helpRequested() const;
    /// True when the option "version" is set.
    [[nodiscard]] CONKIT_OPTIONS_API bool versionRequested() const;
    /// When the option is set, copies its `value` field into `value` and returns true.
    CONKIT_OPTIONS_API bool getValue(const std::string& name, std::string& value) const;
    /// When the latest parse gave the option a value that converts entirely to T, stores it.
    /// T: a built-in integer type from short to unsigned long long, float or double.
    template <class T> bool getValue(const std::string& name, T& out) const {
        return readNumber(name, out);
    }
    /// The latest value the latest parse gave it, else its default; "" for no option.
    [[nodiscard]] CONKIT_OPTIONS_API std::string value(const std::string& name) const;
    /// How many times the latest command line named it.
    [[nodiscard]] CONKIT_OPTIONS_API std::size_t count(const std::string& name) const;
    /// Every value the latest parse gave it, in order.
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> values(const std::string& name) const;
    /// Where value(name) answers from.
    [[nodiscard]] CONKIT_OPTIONS_API ValueSource source(const std::string& name) const;
    /// The command the latest parse chose, or "".
    [[nodiscard]] CONKIT_OPTIONS_API std::string command() const;
    /// That command's parser, or nullptr.
    [[nodiscard]] CONKIT_OPTIONS_API const OptionParser* commandParser() const;
    /// The same, to report a usage error of that command with (usageError).
    [[nodiscard]] CONKIT_OPTIONS_API OptionParser* commandParser();
    /// The word operand `name` took (the first, when repeated), or "".
    [[nodiscard]] CONKIT_OPTIONS_API std::string operand(const std::string& name) const;
    /// Every word operand `name` took, in order.
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string>
    operands(const std::string& name) const;
    /// The index-th word operand `name` took, when it converts entirely to T (the types
    /// getValue takes); else false and `out` untouched.
    template <class T> bool getOperand(const std::string& name, T& out, size_type index = 0) const {
        return readOperand(name, index, out);
    }
    /// The number of positional arguments.
    [[nodiscard]] CONKIT_OPTIONS_API size_type argCount() const noexcept;
    /// Positional argument `index`, or "" beyond argCount().
    [[nodiscard]] CONKIT_OPTIONS_API std::string arg(size_type index) const;
    /// True when there is a positional argument.
    [[nodiscard]] CONKIT_OPTIONS_API bool hasArgs() const noexcept;
    /// The error line the latest parse printed, or "".
    [[nodiscard]] CONKIT_OPTIONS_API std::string lastError() const;
    /// Why the latest parse failed; none after a success.
    [[nodiscard]] CONKIT_OPTIONS_API ParseErrorKind errorKind() const noexcept;
    /// The option word the error is about, as written without "=value"; else "".
    [[nodiscard]] CONKIT_OPTIONS_API std::string errorOption() const;
    /// The warning lines of the latest parse, its commands' included (see
    /// @ref options_errors_warnings).
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> warnings() const;
    /// Reports a usage error the tool found itself as a failed parse reports
    /// its own; returns 2, the exit status (see @ref options_rules_usage).
    CONKIT_OPTIONS_API int usageError(const std::string& text);
    /// @}

    /// @name Presenting the tool
    /// See @ref options_help and @ref options_completion.
    /// @{

    /// The paragraph after the usage line of the gnu help.
    CONKIT_OPTIONS_API void setDescription(const std::string& text);
    /// The last paragraph of the gnu help.
    CONKIT_OPTIONS_API void setFooter(const std::string& text);
    /// The width the gnu help wraps at; 0 reads COLUMNS. Default 80; a tool's fits the terminal.
    CONKIT_OPTIONS_API void setHelpWidth(std::size_t columns) noexcept;
    /// When printed help is coloured; ColourMode::never by default, automatic for a tool.
    CONKIT_OPTIONS_API void setColour(ColourMode mode) noexcept;
    /// The tool's man page, in roff for the man macros.
    [[nodiscard]] CONKIT_OPTIONS_API std::string manPage(const std::string& program,
                                                         int section = 1) const;
    /// A bash script that completes `program`'s command lines.
    [[nodiscard]] CONKIT_OPTIONS_API std::string bashCompletion(const std::string& program) const;
    /// A zsh completion function for `program`.
    [[nodiscard]] CONKIT_OPTIONS_API std::string zshCompletion(const std::string& program) const;
    /// A fish completion script for `program`.
    [[nodiscard]] CONKIT_OPTIONS_API std::string fishCompletion(const std::string& program) const;
    /// @}

    /// @name Checking the table
    /// See @ref options_checks.
    /// @{

    /// One line per mistake in the definitions; empty when there is none.
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> checkTable() const;
    /// The long names and commands a user can type, one per line, sorted.
    [[nodiscard]] CONKIT_OPTIONS_API std::string nameList() const;
    /// One line per word of `baseline`'s names that now names something else.
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string>
    checkAbbreviations(const std::string& baseline) const;
    /// @}

private:
    template <class T> static std::string defaultText(const T& value) {
        return detail::defaultText(value, [](const auto&... args) { return streamed(args...); });
    }
    CONKIT_OPTIONS_API static std::string streamed(double value);
    CONKIT_OPTIONS_API static std::string streamed(long double value);
    CONKIT_OPTIONS_API static std::string streamed(void (*write)(std::ostream&, const void*),
                                                   const void* value);
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, short& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, unsigned short& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, int& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, unsigned& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, long& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, unsigned long& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, long long& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, unsigned long long& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, float& out) const;
    CONKIT_OPTIONS_API bool readNumber(const std::string& name, double& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index, short& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index,
                                        unsigned short& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index, int& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index,
                                        unsigned& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index, long& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index,
                                        unsigned long& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index,
                                        long long& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index,
                                        unsigned long long& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index, float& out) const;
    CONKIT_OPTIONS_API bool readOperand(const std::string& name, size_type index,
                                        double& out) const;

    friend struct detail::ParserAccess;
    detail::ParserState* held;
};

} // namespace conkit

// Option and Operand, which need the parser's types.
#include "options/Option.h"
