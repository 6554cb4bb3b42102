// OptionParser: defines command-line options, parses a command line into them
// and builds the help text.
#pragma once

#include "options/CommandLine.h"
#include "options/Export.h"
#include "options/Words.h"

#include <array>
#include <cstddef>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace conkit {

/// A command-line option parser.
///
/// Options have a one-character short name, a long name, an argument flag, a
/// default value and a help text. A command line (an argument vector, a word
/// list or one string) is parsed into the options it names, their values and
/// the positional arguments. Option words are written "--name", "-name" or
/// "/name", each optionally followed by "=value"; every prefix accepts a long
/// name or, for a one-character body, a short name. The plain word right after
/// any option word becomes that option's value; other plain words are
/// positional arguments.
///
/// The first error of a command line is printed as one line on standard output
/// and `parse` returns false; `lastError()` returns the same line. Nothing else
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
class CONKIT_OPTIONS_API OptionParser {
public:
    using size_type = std::size_t;

    /// One option: its definition and its result from the latest parse.
    struct Option {
        /// Short name. Shown in the help text and checked for clashes only when
        /// it is an ASCII letter; lookup compares it whatever it is.
        char shortName = '\0';
        /// Long name; the key of the option table, never empty once defined.
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
        void setValue(const std::string& text);
        /// Returns true when `defaultValue` is not empty.
        [[nodiscard]] bool hasDefault() const noexcept { return !defaultValue.empty(); }
        /// Returns true when both options have the same ASCII-letter short name
        /// (case-sensitive) or the same long name. Equal short names that are
        /// not letters (for instance both NUL) do not clash.
        [[nodiscard]] bool conflictsWith(const Option& other) const noexcept;
        /// Returns this option's line of the help text, without a line end:
        /// two blanks, "-x, --name" (or "    --name" when the short name is
        /// not a letter), "=default" when there is a default, blanks up to
        /// column 24 (at least one), the help text, and ". default is " plus
        /// the default when there is one.
        [[nodiscard]] std::string helpLine() const;
    };

    /// @name Construction
    /// @{
    /// Creates a parser with no options and empty usage and version texts.
    OptionParser();
    /// Creates a parser with the usage template `usage` (its first "%prog"
    /// stands for the program name) and the version text `version`.
    OptionParser(const std::string& usage, const std::string& version);

    /// Copies and moves carry the whole parser: options, texts and results.
    /// A moved-from parser is left with no options and may be reused.
    OptionParser(const OptionParser& other);
    OptionParser(OptionParser&& other) noexcept;
    OptionParser& operator=(const OptionParser& other);
    OptionParser& operator=(OptionParser&& other) noexcept;
    ~OptionParser();

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
    bool addOption(char shortName, const std::string& longName, bool needArg,
                   const std::string& defaultValue, const std::string& help);

    /// Like the string form, with a default of any type that can be written to
    /// a `std::ostream`; it is formatted with default stream settings (so `7`
    /// gives "7" and `true` gives "1"). Character strings are copied as they
    /// are; a null `const char*` counts as "".
    template <class T>
    bool addOption(char shortName, const std::string& longName, bool needArg, const T& defaultValue,
                   const std::string& help);

    /// Defines 'h' / "help", no argument, help text "print help info". Does
    /// nothing when 'h' or "help" is already taken.
    void addHelpOption();
    /// Defines 'v' / "version", no argument, help text "print version info".
    /// Does nothing when 'v' or "version" is already taken.
    void addVersionOption();
    /// @}

    /// @name Lookup
    /// @{
    /// Returns the option whose long name is `name`; failing that, when `name`
    /// is one character long, the option with that short name whose long name
    /// sorts first (any character, letter or not). Returns nullptr otherwise.
    /// The pointer stays valid for the life of the parser. Its names are the
    /// table's keys: change its value, flags or texts, not `shortName` or
    /// `longName`.
    [[nodiscard]] Option* findOption(const std::string& name);
    /// Read-only form of `findOption`.
    [[nodiscard]] const Option* findOption(const std::string& name) const;
    /// Returns true when some defined option clashes with `option` (see
    /// `Option::conflictsWith`).
    [[nodiscard]] bool hasConflict(const Option& option) const;
    /// Clears the results of the previous parse: every `found` flag, the
    /// positional arguments and the program name. Values stay. Every parse
    /// calls it first.
    void reset();
    /// @}

    /// @name Parsing
    /// @{
    /// Parses the first `argc` entries of `argv`, as `main` receives them;
    /// entry 0 is the program's path. A null `argv` or an `argc` of 0 or less
    /// gives an empty word list; a null entry ends the list early.
    bool parse(int argc, const char* const* argv);

    /// Parses a word list whose word 0 is the program's path (its last
    /// component becomes the program name). Returns true when every word was
    /// accepted. Returns false for an empty list (silently) and at the first
    /// error, after printing one line: "invalid option: NAME" for an unknown
    /// name, or "--LONGNAME need arg." when an option that needs an argument
    /// (and has no default) is followed by another option word or by nothing.
    /// What was parsed before the failing word stays.
    bool parse(const std::vector<std::string>& words);

    /// Splits `line` with `splitCommandLine`, then parses the words; the line
    /// must begin with the program's name or path.
    bool parse(const std::string& line);
    /// @}

    /// @name Help and version text
    /// @{
    /// Returns the version line, the usage line and one `helpLine` per option
    /// in long-name order (byte-wise, uppercase first), each ending in "\n".
    [[nodiscard]] std::string helpText() const;
    /// Returns the usage template with its first "%prog" replaced by the
    /// program name of the latest parse ("" before any parse).
    [[nodiscard]] std::string usageText() const;
    /// Writes `helpText()` and one more line end to standard output, flushed.
    void printHelp() const;
    /// Writes the version text and a line end to standard output, flushed.
    void printVersion() const;
    /// Returns a copy of the version text.
    [[nodiscard]] std::string getVersion() const { return version; }
    /// @}

    /// @name Results of the latest parse
    /// @{
    /// Returns whether the latest parse named the option with short name
    /// `shortName` whose long name sorts first; false when there is none.
    [[nodiscard]] bool isSet(char shortName) const;
    /// Returns whether the latest parse named the option that `findOption`
    /// gives for `name`; false when there is none.
    [[nodiscard]] bool isSet(const std::string& name) const;
    /// Same as `isSet("help")`.
    [[nodiscard]] bool helpRequested() const;
    /// Same as `isSet("version")`.
    [[nodiscard]] bool versionRequested() const;
    /// Copies into `value` the value of the option that `findOption` gives for
    /// `name` and returns true, when the latest parse named it. Otherwise
    /// returns false and leaves `value` as it was, so its content serves as the
    /// caller's default.
    bool getValue(const std::string& name, std::string& value) const;
    /// Returns the number of positional arguments.
    [[nodiscard]] size_type argCount() const noexcept { return args.size(); }
    /// Returns a copy of positional argument `index` (from 0), or "" when
    /// `index` is not below `argCount()`.
    [[nodiscard]] std::string arg(size_type index) const;
    /// Returns true when there is at least one positional argument.
    [[nodiscard]] bool hasArgs() const noexcept { return !args.empty(); }
    /// Returns the line the latest parse printed, without its line end, or ""
    /// when it printed nothing.
    [[nodiscard]] std::string lastError() const { return errorLine; }
    /// @}

private:
    using OptionTable = std::map<std::string, Option, std::less<>>;

    const Option* lookup(std::string_view name) const noexcept;
    bool isSetByName(std::string_view name) const noexcept;
    void index(Option& option);
    void rebuildIndexes();
    bool fail(std::string line);

    std::string usage;
    std::string version;
    std::vector<std::string> args;
    OptionTable options;
    std::string prog;
    std::string errorLine;
    /// Scratch storage for the copy of an argument vector, kept between
    /// parses so that its buffer is reused; not part of the state.
    std::vector<std::string> argvCopy;
    /// For each byte value, the option with that short name whose long name
    /// sorts first, and the option whose long name is that one character:
    /// one-character lookups take constant time.
    std::array<Option*, 256> byShortName{};
    std::array<Option*, 256> byOneCharLongName{};
    /// Every entry of the table, for a reset that does not walk the tree.
    std::vector<Option*> entries;
    /// The entries by long name (views of the table's keys), so that a
    /// lookup costs one hash instead of a walk down the tree.
    std::unordered_map<std::string_view, Option*> byLongName;
};

template <class T>
bool OptionParser::addOption(char shortName, const std::string& longName, bool needArg,
                             const T& defaultValue, const std::string& help) {
    if constexpr (std::is_convertible_v<const T&, const char*>) {
        const char* text = defaultValue;
        return addOption(shortName, longName, needArg, std::string(text != nullptr ? text : ""),
                         help);
    } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
        return addOption(shortName, longName, needArg, std::string(std::string_view(defaultValue)),
                         help);
    } else {
        std::ostringstream oss;
        oss << defaultValue;
        return addOption(shortName, longName, needArg, oss.str(), help);
    }
}

} // namespace conkit
