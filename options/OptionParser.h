// OptionParser: defines command-line options, parses a command line into them
// and builds the help text.
#pragma once

#include "options/CommandLine.h"
#include "options/Export.h"
#include "options/NameIndex.h"
#include "options/ParseResults.h"
#include "options/Words.h"

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace conkit {

/// The rules a parse follows; see `OptionParser::setSyntax`.
enum class Syntax {
    /// "--name", "-name" or "/name", each with an optional "=value"; the plain
    /// word after any option word is its value. The default.
    classic,
    /// The conventions of getopt_long with argument permutation: "--name",
    /// "--name=value", "-x", "-xVALUE", bundled "-abc", unique prefixes of
    /// long names, "--" ending the options, "-" a positional word.
    gnu
};

/// Why the latest parse failed; see `OptionParser::errorKind`.
enum class ParseErrorKind {
    /// The parse succeeded, or failed without an error line (no words at all).
    none,
    /// An option word named no option.
    unknownOption,
    /// An option that needs a value got none.
    missingArgument,
    /// A value was given to an option that takes none (gnu syntax).
    unexpectedArgument,
    /// An abbreviated long name begins several long names (gnu syntax).
    ambiguousOption
};

namespace detail {
class CommandWords;
class ParseTarget;

/// The types whose values `OptionParser::getValue` converts.
template <class T>
inline constexpr bool isNumber =
    std::is_same_v<T, short> || std::is_same_v<T, unsigned short> || std::is_same_v<T, int> ||
    std::is_same_v<T, unsigned> || std::is_same_v<T, long> || std::is_same_v<T, unsigned long> ||
    std::is_same_v<T, long long> || std::is_same_v<T, unsigned long long> ||
    std::is_same_v<T, float> || std::is_same_v<T, double>;
} // namespace detail

/// A command-line option parser.
///
/// Options have a one-character short name, a long name, an argument flag, a
/// default value and a help text. A command line (an argument vector, a word
/// list or one string) is parsed into the options it names, their values and
/// the positional arguments.
///
/// In the classic syntax (the default) option words are written "--name",
/// "-name" or "/name", each optionally followed by "=value"; every prefix
/// accepts a long name or, for a one-character body, a short name. The plain
/// word right after any option word becomes that option's value; other plain
/// words are positional arguments. `setSyntax(Syntax::gnu)` switches to the
/// conventions of Unix tools instead (see `Syntax::gnu`).
///
/// The first error of a command line is printed as one line, on standard
/// output unless `setErrorOutput` says otherwise, and `parse` returns false;
/// `lastError()`, `errorKind()` and `errorOption()` describe it. Nothing else
/// prints except `printHelp` and `printVersion`. The parser throws nothing.
///
/// Example:
/// \code
///   conkit::OptionParser parser("%prog [options] files", "tool 1.0");
///   parser.addHelpOption();
///   parser.addOption('u', "user", true, "", "user name");
///   if (!parser.parse(argc, argv)) {
///       parser.printHelp();
///   }
///   std::string user = "nobody";
///   parser.getValue("user", user);          // stays "nobody" unless given
///   for (std::size_t i = 0; i < parser.argCount(); ++i) {
///       std::puts(parser.arg(i).c_str());
///   }
/// \endcode
///
/// Copies are independent parsers with the same options, texts and results. A
/// moved-from parser may be assigned a new value and then used again.
class OptionParser {
public:
    using size_type = std::size_t;

    /// One option: its definition and its result from the latest parse.
    struct Option {
        /// Short name. Shown in the help text and checked for clashes only when
        /// it is an ASCII letter; lookup compares it whatever it is.
        char shortName = '\0';
        /// Long name, never empty once defined.
        std::string longName;
        /// The option requires an argument.
        bool needArg = false;
        /// Default value text; "" means no default.
        std::string defaultValue;
        /// One-line description for the help text.
        std::string help;
        /// The option was named in the latest parse.
        bool found = false;
        /// Current value: the default until a parse stores one. A parse does
        /// not reset it, so it may hold a value from an earlier parse.
        std::string value;

        /// Stores `text` as the value and marks the option as found.
        CONKIT_OPTIONS_API void setValue(const std::string& text);
        /// Returns true when `defaultValue` is not empty.
        [[nodiscard]] bool hasDefault() const noexcept { return !defaultValue.empty(); }
        /// Returns true when both options have the same ASCII-letter short name
        /// (case-sensitive) or the same long name. Equal short names that are
        /// not letters (for instance both NUL) do not clash.
        [[nodiscard]] CONKIT_OPTIONS_API bool conflictsWith(const Option& other) const noexcept;
        /// Returns this option's line of the help text, without a line end:
        /// two blanks, "-x, --name" (or "    --name" when the short name is
        /// not a letter), "=default" when there is a default, blanks up to
        /// column 24 (at least one), the help text, and ". default is " plus
        /// the default when there is one.
        [[nodiscard]] CONKIT_OPTIONS_API std::string helpLine() const;
    };

    /// @name Construction
    /// @{
    /// Creates a parser with no options and empty usage and version texts.
    CONKIT_OPTIONS_API OptionParser();
    /// Creates a parser with the usage template `usage` (its first "%prog"
    /// stands for the program name) and the version text `version`.
    CONKIT_OPTIONS_API OptionParser(const std::string& usage, const std::string& version);

    /// Replaces the usage template.
    void setUsage(const std::string& text) { usage = text; }
    /// Replaces the version text.
    void setVersion(const std::string& text) { version = text; }
    /// @}

    /// @name Defining options
    /// @{
    /// Defines an option and returns true. Returns false, and changes nothing,
    /// when `shortName` is not an ASCII letter and `longName` is empty, or when
    /// the option clashes with one already defined (same letter short name or
    /// same long name); an existing option is never replaced. An empty
    /// `longName` becomes the one-character string of `shortName`. The value
    /// starts as `defaultValue`.
    CONKIT_OPTIONS_API bool addOption(char shortName, const std::string& longName, bool needArg,
                                      const std::string& defaultValue, const std::string& help);

    /// Like the string form, with a default of any type that can be written to
    /// a `std::ostream`; it is formatted with default stream settings (so `7`
    /// gives "7" and `true` gives "1"). Character strings are copied as they
    /// are; a null `const char*` counts as "". Types other than strings and
    /// the built-in arithmetic ones are written with their `operator<<`, so
    /// <ostream> must be included where that needs it (enumerations do).
    template <class T>
    bool addOption(char shortName, const std::string& longName, bool needArg, const T& defaultValue,
                   const std::string& help);

    /// Defines 'h' / "help", no argument, help text "print help info". Does
    /// nothing when 'h' or "help" is already taken.
    CONKIT_OPTIONS_API void addHelpOption();
    /// Defines 'v' / "version", no argument, help text "print version info".
    /// Does nothing when 'v' or "version" is already taken.
    CONKIT_OPTIONS_API void addVersionOption();
    /// @}

    /// @name Lookup
    /// @{
    /// Returns the option whose long name is `name`; failing that, when `name`
    /// is one character long, the option with that short name whose long name
    /// sorts first (any character, letter or not). Returns nullptr otherwise.
    ///
    /// Every field of the option may be changed through the pointer, its names
    /// included: later lookups, parses and the help text go by the new names.
    /// (A rename that gives two options the same long name makes the first
    /// defined of them the one found by that name.) The pointer stays valid
    /// while options are added and parses run; it becomes invalid when the
    /// parser is destroyed, assigned to (copy or move) or moved from.
    [[nodiscard]] CONKIT_OPTIONS_API Option* findOption(const std::string& name);
    /// Read-only form of `findOption`; the same pointer rules.
    [[nodiscard]] CONKIT_OPTIONS_API const Option* findOption(const std::string& name) const;
    /// Returns true when some defined option clashes with `option` (see
    /// `Option::conflictsWith`).
    [[nodiscard]] CONKIT_OPTIONS_API bool hasConflict(const Option& option) const;
    /// Clears the results of the previous parse: every `found` flag, the
    /// positional arguments, the program name and the counts and values that
    /// `count` and `values` report. `value` fields stay. Every parse calls it
    /// first.
    CONKIT_OPTIONS_API void reset();
    /// @}

    /// @name Syntax
    /// @{
    /// Chooses the rules of the next parses: `Syntax::classic` (the default)
    /// or `Syntax::gnu`. With the gnu rules:
    /// - "--name", "--name=value", "-x", "-xVALUE" and bundles "-abc" are
    ///   option words; in a bundle the first option that needs a value takes
    ///   the rest of the word, or the next word when the rest is empty. '/' is
    ///   no option prefix.
    /// - An option that needs a value (`needArg`) takes "=value", the rest of
    ///   its bundle, or else the next word whatever it looks like. A default
    ///   does not make the value optional. An option that needs none takes
    ///   none: the next word is positional, and "--name=value" is an error.
    /// - A long name may be shortened to a unique prefix; an exact name always
    ///   wins, and a prefix of several names is an error.
    /// - "-" alone is positional; "--" alone ends the options. Positional
    ///   words may stand between options and keep their order.
    /// - Error lines: "PROG: unknown option 'WORD'" (followed by " (did you
    ///   mean '--NAME'?)" when exactly one long name is within two edits of an
    ///   unknown long name), "PROG: option 'WORD' needs a value", "PROG: option
    ///   'WORD' takes no value" and "PROG: option 'WORD' is ambiguous: --A,
    ///   --B", where PROG is the program name and WORD what `errorOption()`
    ///   returns.
    void setSyntax(Syntax rules) noexcept { syntaxRules = rules; }
    /// The rules of the next parses.
    [[nodiscard]] Syntax syntax() const noexcept { return syntaxRules; }
    /// With true, a gnu parse takes the first positional word and every word
    /// after it as positional, as tools with sub-commands need. Default false;
    /// the classic syntax ignores it.
    void setStopAtFirstArgument(bool stop) noexcept { stopAtFirstArgument = stop; }
    /// @}

    /// @name Parsing
    /// @{
    /// Parses the first `argc` entries of `argv`, as `main` receives them;
    /// entry 0 is the program's path. A null `argv` or an `argc` of 0 or less
    /// gives an empty word list; a null entry ends the list early.
    CONKIT_OPTIONS_API bool parse(int argc, const char* const* argv);

    /// Parses a word list whose word 0 is the program's path (its last
    /// component becomes the program name). Returns true when every word was
    /// accepted. Returns false for an empty list (silently) and at the first
    /// error, after printing one line. In the classic syntax that line is
    /// "invalid option: NAME" for an unknown name, or "--LONGNAME need arg."
    /// when an option that needs an argument (and has no default) is followed
    /// by another option word or by nothing. What was parsed before the
    /// failing word stays.
    CONKIT_OPTIONS_API bool parse(const std::vector<std::string>& words);

    /// Splits `line` with `splitCommandLine`, then parses the words; the line
    /// must begin with the program's name or path.
    CONKIT_OPTIONS_API bool parse(const std::string& line);
    /// @}

    /// @name Where text goes
    /// @{
    /// Sends the error line of later parses to `out` (default: standard
    /// output); nullptr prints it nowhere, and `lastError()` still returns it.
    /// The stream must outlive the parses that use it.
    void setErrorOutput(std::ostream* out) noexcept { errorOutput = out; }
    /// Returns the version line, the usage line and one `helpLine` per option
    /// in long-name order (byte-wise, uppercase first), each ending in "\n".
    [[nodiscard]] CONKIT_OPTIONS_API std::string helpText() const;
    /// Returns the usage template with its first "%prog" replaced by the
    /// program name of the latest parse ("" before any parse).
    [[nodiscard]] CONKIT_OPTIONS_API std::string usageText() const;
    /// Writes `helpText()` and one more line end to standard output, flushed.
    CONKIT_OPTIONS_API void printHelp() const;
    /// Writes `helpText()` and one more line end to `out`, flushed.
    CONKIT_OPTIONS_API void printHelp(std::ostream& out) const;
    /// Writes the version text and a line end to standard output, flushed.
    CONKIT_OPTIONS_API void printVersion() const;
    /// Writes the version text and a line end to `out`, flushed.
    CONKIT_OPTIONS_API void printVersion(std::ostream& out) const;
    /// Returns a copy of the version text.
    [[nodiscard]] std::string getVersion() const { return version; }
    /// @}

    /// @name Results of the latest parse
    /// Names are looked up as `findOption` does.
    /// @{
    /// Returns whether the latest parse named the option with short name
    /// `shortName` whose long name sorts first; false when there is none.
    [[nodiscard]] CONKIT_OPTIONS_API bool isSet(char shortName) const;
    /// Returns whether the latest parse named the option that `findOption`
    /// gives for `name`; false when there is none.
    [[nodiscard]] CONKIT_OPTIONS_API bool isSet(const std::string& name) const;
    /// Same as `isSet("help")`.
    [[nodiscard]] CONKIT_OPTIONS_API bool helpRequested() const;
    /// Same as `isSet("version")`.
    [[nodiscard]] CONKIT_OPTIONS_API bool versionRequested() const;
    /// Copies into `value` the value of the option that `findOption` gives for
    /// `name` and returns true, when the latest parse named it. Otherwise
    /// returns false and leaves `value` as it was, so its content serves as the
    /// caller's default.
    CONKIT_OPTIONS_API bool getValue(const std::string& name, std::string& value) const;
    /// Like the string form, converting the value to `T` (short, unsigned
    /// short, int, unsigned, long, unsigned long, long long, unsigned long
    /// long, float or double): true and `out` set when the latest parse named
    /// the option and its whole value is a number that fits `T` (optional
    /// leading blanks and sign; see `StrSlice::parseNumber`); otherwise false
    /// and `out` unchanged.
    template <class T> bool getValue(const std::string& name, T& out) const {
        static_assert(detail::isNumber<T>,
                      "getValue converts to short, unsigned short, int, unsigned, long, "
                      "unsigned long, long long, unsigned long long, float or double");
        return getNumber(name, out);
    }
    /// Returns the last value the latest parse gave the option, else its
    /// default (never a value of an earlier parse); "" for an unknown name.
    [[nodiscard]] CONKIT_OPTIONS_API std::string value(const std::string& name) const;
    /// Returns how many option words of the latest parse named the option; 0
    /// for an unknown name.
    [[nodiscard]] CONKIT_OPTIONS_API std::size_t count(const std::string& name) const;
    /// Returns every value the latest parse gave the option, in command-line
    /// order; none for an unknown name.
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> values(const std::string& name) const;
    /// Returns the number of positional arguments.
    [[nodiscard]] size_type argCount() const noexcept { return latest.argumentCount(); }
    /// Returns a copy of positional argument `index` (from 0), or "" when
    /// `index` is not below `argCount()`.
    [[nodiscard]] CONKIT_OPTIONS_API std::string arg(size_type index) const;
    /// Returns true when there is at least one positional argument.
    [[nodiscard]] bool hasArgs() const noexcept { return latest.argumentCount() != 0; }
    /// Returns the error line of the latest parse, without its line end, or ""
    /// when it had none.
    [[nodiscard]] std::string lastError() const { return errorLine; }
    /// Returns why the latest parse failed; `ParseErrorKind::none` after a
    /// success and before any parse.
    [[nodiscard]] ParseErrorKind errorKind() const noexcept { return errorKindOf; }
    /// Returns the option word the error is about, as written but without any
    /// "=value": "--colr", "--verb" (an abbreviation stays as typed), "-x",
    /// "/u"; "" when `errorKind()` is none.
    [[nodiscard]] std::string errorOption() const { return errorWord; }
    /// @}

    /// @name Shell completion
    /// @{
    /// Returns a bash script that completes the command `program`: after the
    /// script is sourced, completing a word that starts with '-' offers the
    /// matching option words ("--name" for every option, "-x" for letter
    /// short names), "--" offers every "--name", and the word after an option
    /// that needs a value, a word not starting with '-', and every word after
    /// a "--" offer the file names that start with it.
    [[nodiscard]] CONKIT_OPTIONS_API std::string bashCompletion(const std::string& program) const;
    /// @}

private:
    friend class detail::ParseTarget;
    using Position = detail::OptionPosition;

    [[nodiscard]] Option& entry(Position position) { return table[position].front(); }
    [[nodiscard]] const Option& entry(Position position) const { return table[position].front(); }
    /// True when every option the index may not know about, those handed out
    /// by the mutable `findOption`, still has the names it was indexed under.
    [[nodiscard]] bool indexIsCurrent() const noexcept {
        return handedOut.empty() || handedOutNamesKept();
    }
    [[nodiscard]] CONKIT_OPTIONS_API bool handedOutNamesKept() const noexcept;
    /// Builds the index afresh from the options' names when it is not current.
    void refreshIndex();
    /// A new index of the options' names as they are now.
    [[nodiscard]] detail::NameIndex freshIndex() const;
    /// Every option's position, in long-name order as the names are now.
    [[nodiscard]] std::vector<Position> positionsInNameOrder() const;
    /// The position of the option `findOption` gives for `name`, or noOption.
    [[nodiscard]] Position positionOf(std::string_view name) const;
    /// The option `findOption` gives for `name`, or nullptr.
    [[nodiscard]] const Option* lookup(std::string_view name) const;
    /// What `reset` clears but the program name, and the error of the latest
    /// parse.
    void clearResults();
    bool parseWords(const detail::CommandWords& words);

    /// The text of a default value: character strings as they are (a null
    /// `const char*` as ""), everything else as a default-formatted
    /// `std::ostringstream` writes it.
    template <class T> static std::string formatDefault(const T& value);
    /// Writes `value` to a fresh `std::ostringstream` with default settings
    /// and returns its text; defined in the library, so that this header needs
    /// no stream headers.
    CONKIT_OPTIONS_API static std::string streamed(bool value);
    CONKIT_OPTIONS_API static std::string streamed(char value);
    CONKIT_OPTIONS_API static std::string streamed(signed char value);
    CONKIT_OPTIONS_API static std::string streamed(unsigned char value);
    CONKIT_OPTIONS_API static std::string streamed(long long value);
    CONKIT_OPTIONS_API static std::string streamed(unsigned long long value);
    CONKIT_OPTIONS_API static std::string streamed(double value);
    CONKIT_OPTIONS_API static std::string streamed(long double value);
    /// The same with `write`, for any type that has an `operator<<`.
    CONKIT_OPTIONS_API static std::string streamed(void (*write)(std::ostream&, const void*),
                                                   const void* value);

    CONKIT_OPTIONS_API bool getNumber(const std::string& name, short& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, unsigned short& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, int& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, unsigned& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, long& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, unsigned long& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, long long& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, unsigned long long& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, float& out) const;
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, double& out) const;

    std::string usage;
    std::string version;

    /// The option table, in order of definition; it owns the options. Each
    /// option lives alone in an inner vector that never grows, so adding an
    /// option may move the inner vectors but never an option: a pointer from
    /// `findOption` survives every later `addOption`.
    std::vector<std::vector<Option>> table;
    /// The options by name, and in long-name order.
    detail::NameIndex index;
    /// The positions `findOption` has handed out for writing: only these
    /// options can change their names or `found` flags behind the parser.
    std::vector<Position> handedOut;

    /// Results of the latest parse, besides the options' `found` and `value`.
    std::string prog;
    detail::ParseResults latest;
    std::string errorLine;
    std::string errorWord;
    ParseErrorKind errorKindOf = ParseErrorKind::none;

    std::ostream* errorOutput;
    Syntax syntaxRules = Syntax::classic;
    bool stopAtFirstArgument = false;
};

template <class T>
bool OptionParser::addOption(char shortName, const std::string& longName, bool needArg,
                             const T& defaultValue, const std::string& help) {
    return addOption(shortName, longName, needArg, formatDefault(defaultValue), help);
}

template <class T> std::string OptionParser::formatDefault(const T& value) {
    if constexpr (std::is_convertible_v<const T&, const char*>) {
        const char* text = value;
        return text != nullptr ? text : "";
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
        return std::string(std::string_view(value));
    } else if constexpr (std::is_same_v<T, bool> || std::is_same_v<T, char> ||
                         std::is_same_v<T, signed char> || std::is_same_v<T, unsigned char> ||
                         std::is_same_v<T, long double>) {
        return streamed(value);
    } else if constexpr (std::is_same_v<T, short> || std::is_same_v<T, int> ||
                         std::is_same_v<T, long> || std::is_same_v<T, long long>) {
        return streamed(static_cast<long long>(value));
    } else if constexpr (std::is_same_v<T, unsigned short> || std::is_same_v<T, unsigned> ||
                         std::is_same_v<T, unsigned long> ||
                         std::is_same_v<T, unsigned long long>) {
        return streamed(static_cast<unsigned long long>(value));
    } else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
        return streamed(static_cast<double>(value));
    } else {
        return streamed([](std::ostream& out, const void* p) { out << *static_cast<const T*>(p); },
                        &value);
    }
}

} // namespace conkit
