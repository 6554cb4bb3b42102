// OptionParser: defines command-line options, parses a command line into them
// and builds the help text.
#pragma once

#include "options/Export.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iosfwd>
#include <list>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace conkit {

/// @name Text helpers
/// @{
/// Returns true when `text` begins with `prefix`, compared byte for byte and
/// case-sensitively. An empty `prefix` always matches; a `prefix` longer than
/// `text` never does.
[[nodiscard]] CONKIT_OPTIONS_API bool startsWith(const std::string& text,
                                                 const std::string& prefix);

/// Cuts `text` at the first `separator`. When there is one, `first` receives
/// the text before it, `second` the text after it, and the result is 2. When
/// there is none, `first` receives the whole text, `second` is emptied, and the
/// result is 1. Both outputs are always overwritten; either may be `text`
/// itself (`splitAt(s, '=', s, rest)` cuts `s` in place).
CONKIT_OPTIONS_API int splitAt(const std::string& text, char separator, std::string& first,
                               std::string& second);

/// Returns the last component of `path`: the text after its last '/', or,
/// only when the path holds no '/' at all, after its last '\'. A path with
/// neither comes back whole; a path ending in its separator gives "".
/// Example: "a/b\\c" gives "b\\c"; "D:\\bin\\demo.exe" gives "demo.exe".
[[nodiscard]] CONKIT_OPTIONS_API std::string baseName(const std::string& path);

/// Splits `line` into words, in the order they stand.
///
/// - Blanks and tabs separate words; a run of them counts as one separator,
///   and leading or trailing ones produce no words.
/// - A double quote opens or closes a quoted stretch. Inside it, blanks and
///   tabs are ordinary word characters. Quote characters never appear in a
///   word and always end the word before them: `ab"cd"ef` gives "ab", "cd",
///   "ef", and `--user="John Smith"` gives "--user=", "John Smith".
/// - A closing quote always ends a word, so `""` gives one empty word; an
///   unclosed stretch runs to the end of the line.
/// - Every other byte (backslash, single quote, line ends, NUL, 0x80 to 0xFF)
///   is an ordinary word character; there are no escapes.
///
/// An empty line or one of blanks and tabs only gives no words.
[[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> splitCommandLine(const std::string& line);
/// @}

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
    ambiguousOption,
    /// A value broke its option's choices or range.
    invalidValue,
    /// A required option got no value from the command line or the
    /// environment.
    missingOption,
    /// Two options of an exclusive group were named.
    conflictingOptions,
    /// The word where a command belongs names no command.
    unknownCommand,
    /// A command is required and none was given.
    missingCommand
};

/// Where the value that `OptionParser::value` answers came from.
enum class ValueSource {
    /// No parse gave the option a value, and it has no default.
    none,
    /// The latest parse's command line named the option.
    commandLine,
    /// The option's environment variable, the command line not naming it.
    environment,
    /// Neither: the option's default.
    defaultValue
};

namespace detail {
class CommandWords;
class ParseRun;

/// A list of types, for the closed sets of value kinds below.
template <class... T> struct TypeList {};

/// The arithmetic types that `OptionParser::getValue` converts values to.
using NumberTypes = TypeList<short, unsigned short, int, unsigned, long, unsigned long, long long,
                             unsigned long long, float, double>;

/// The position of `T` in `list`, or -1 when it is not there.
template <class T, class... List> constexpr int indexIn(TypeList<List...> /*list*/) noexcept {
    int index = 0;
    bool seen = false;
    ((seen = seen || std::is_same_v<T, List>, index += seen ? 0 : 1), ...);
    return seen ? index : -1;
}

/// Two type lists joined.
template <class... A, class... B>
constexpr TypeList<A..., B...> joined(TypeList<A...> /*first*/,
                                      TypeList<B...> /*second*/) noexcept {
    return {};
}

/// The built-in types whose default values the library formats itself: the
/// number types, then the others that streams write without a caller's help.
using FormattedTypes = decltype(joined(
    NumberTypes{}, TypeList<bool, char, signed char, unsigned char, long double>{}));
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
/// Where results are kept: each option's record holds its `found` flag and its
/// `value` field, which `isSet` and the string form of `getValue` read; a
/// parse clears every `found` but keeps `value`, so a `value` may come from an
/// earlier parse when the latest named the option without one. The record also
/// holds what the latest parse alone gave the option, which `value`, `count`,
/// `values` and the typed `getValue` read: nothing of an earlier parse shows
/// there. The program name, the positional arguments and the error belong to
/// the latest parse too.
///
/// Copies are independent parsers with the same options, texts and results. A
/// moved-from parser may be assigned a new value and then used again.
class OptionParser {
public:
    /// The type of counts and indexes of positional arguments.
    using size_type = std::size_t;

private:
    /// Where a text of the latest parse lies in its buffer.
    struct Span {
        std::size_t begin;
        std::size_t length;
    };
    /// What precedes a value in the latest parse's buffer: where the
    /// previous value of the same option lies, and the value's length.
    struct ValueHeader {
        std::size_t previous;
        std::size_t length;
    };

public:
    /// One option: its definition and its results from the latest parse.
    struct Option {
        /// Short name. Checked for clashes, and shown in the classic help text,
        /// only when it is an ASCII letter; the gnu syntax shows and accepts
        /// any printable ASCII character but the blank as "-x"; lookup by a
        /// one-character name compares it whatever it is.
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

        /// @name Describing the option further
        /// Each returns the option, so that calls chain:
        /// `parser.describe("color").optionalValue("always").choices({...})`.
        /// @{
        /// Sets the placeholder of the value in the help text, the man page and
        /// completion ("N", "WHEN"). Without one the long name in upper case
        /// serves.
        CONKIT_OPTIONS_API Option& valueName(const std::string& text);
        /// In the gnu syntax, makes the value optional: the option takes a value
        /// only when it is attached ("--color=always", "-calways"), never from
        /// the next word, and named alone it gets `implicit`. Sets `needArg`,
        /// so the classic syntax treats it as an option with a value.
        CONKIT_OPTIONS_API Option& optionalValue(const std::string& implicit);
        /// Accepts only these values, compared exactly.
        CONKIT_OPTIONS_API Option& choices(const std::vector<std::string>& allowed);
        /// Accepts only whole numbers from `min` to `max` (as
        /// `StrSlice::parseNumber` reads them into a long long).
        CONKIT_OPTIONS_API Option& range(long long min, long long max);
        /// Accepts only numbers from `min` to `max` (as `StrSlice::parseNumber`
        /// reads them into a double).
        CONKIT_OPTIONS_API Option& realRange(double min, double max);
        /// Makes a parse fail when neither the command line nor the
        /// environment gives the option, unless help or version was asked for.
        CONKIT_OPTIONS_API Option& required();
        /// In the gnu syntax, also accepts "--no-NAME" for an option without a
        /// value: it undoes every earlier "--NAME" of the parse.
        CONKIT_OPTIONS_API Option& negatable();
        /// Reads the option from the environment variable `variable` when the
        /// command line does not name it.
        CONKIT_OPTIONS_API Option& env(const std::string& variable);
        /// Lists the option under the heading `title` in the help text.
        CONKIT_OPTIONS_API Option& section(const std::string& title);
        /// Leaves the option out of the help text, the man page and completion;
        /// it is still parsed.
        CONKIT_OPTIONS_API Option& hidden();
        /// Gives the option another long name, `name` ("colour" for "color"). An alias
        /// that another option has as its long name, or that an option
        /// defined earlier has as an alias, does not take effect, and
        /// `checkTable` reports it.
        CONKIT_OPTIONS_API Option& alias(const std::string& name);
        /// @}

        /// What the setters above recorded.
        struct Description {
            /// What a range accepts: nothing in particular, whole numbers or
            /// any numbers.
            enum class Range : unsigned char { none, whole, real };

            /// `valueName`; "" when none was given.
            std::string valueName;
            /// `optionalValue` was called: the value is optional.
            bool optionalValue = false;
            /// The value the option gets when named alone, if it is optional.
            std::string implicitValue;
            /// `choices`; empty when any value is accepted.
            std::vector<std::string> choices;
            /// The kind of range set last by `range` or `realRange`.
            Range range = Range::none;
            /// The lower limit given to `range`.
            long long wholeMin = 0;
            /// The upper limit given to `range`.
            long long wholeMax = 0;
            /// The lower limit given to `realRange`.
            double realMin = 0;
            /// The upper limit given to `realRange`.
            double realMax = 0;
            /// `required` was called.
            bool required = false;
            /// `negatable` was called.
            bool negatable = false;
            /// `hidden` was called.
            bool hidden = false;
            /// `env`; "" when there is none.
            std::string env;
            /// `section`; "" for the untitled section.
            std::string section;
            /// Every name given to `alias`, in order, in effect or not.
            std::vector<std::string> aliases;
            /// The numbers of the exclusive groups the option belongs to.
            std::vector<std::size_t> groups;
        };
        /// Returns what the setters recorded.
        [[nodiscard]] const Description& description() const noexcept { return described; }

    private:
        friend class OptionParser;
        friend class detail::ParseRun;

        Description described;

        /// What the latest parse alone gave the option: where its value came
        /// from, how many option words named it, and how many values it got,
        /// the last of them kept at `lastValue` in the parse's text (see
        /// `Latest::valueAt`).
        ValueSource from = ValueSource::none;
        std::size_t timesNamed = 0;
        std::size_t valueCount = 0;
        std::size_t lastValue = 0;
    };

    /// Where a parse reads environment variables: a function that returns a
    /// variable's text, or nullptr when it is not set.
    using Environment = const char* (*)(const char* variable);
    /// The same as `conkit::ValueSource`.
    using ValueSource = conkit::ValueSource;

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
    /// `<ostream>` must be included where that needs it (enumerations do).
    template <class T>
    bool addOption(char shortName, const std::string& longName, bool needArg, const T& defaultValue,
                   const std::string& help) {
        return addOption(shortName, longName, needArg, formatDefault(defaultValue), help);
    }

    /// Defines 'h' / "help", no argument, help text "print help info". Does
    /// nothing when 'h' or "help" is already taken.
    CONKIT_OPTIONS_API void addHelpOption();
    /// Defines 'v' / "version", no argument, help text "print version info".
    /// Does nothing when 'v' or "version" is already taken.
    CONKIT_OPTIONS_API void addVersionOption();

    /// Returns the option `findOption(name)` finds, to describe it further
    /// (see `Option::valueName` and the setters after it). When no option has
    /// that name it returns a scratch option that belongs to no table, so
    /// that describing it changes nothing, and `checkTable` reports the name.
    CONKIT_OPTIONS_API Option& describe(const std::string& name);
    /// Lets a parse name at most one of the options `names`; the second one
    /// named fails it. Names that no option has are left out, and
    /// `checkTable` reports them. Returns this parser.
    CONKIT_OPTIONS_API OptionParser& exclusive(const std::vector<std::string>& names);
    /// @}

    /// @name Sub-commands
    /// A parser with commands reads options up to its first positional word,
    /// which must be a command's exact name; the words after it are parsed by
    /// that command's parser, with the program name "PROG NAME" and this
    /// parser's syntax, error output and environment. Commands nest.
    /// @{
    /// Adds the command `name` and returns its parser, which this parser owns;
    /// the reference stays valid as `findOption`'s pointers do. Adding a name
    /// again returns the same parser and replaces its help text.
    CONKIT_OPTIONS_API OptionParser& addCommand(const std::string& name, const std::string& help);
    /// With true, a parse that gives no command fails (unless help or version
    /// was asked for). Default false.
    void setCommandRequired(bool required) noexcept { commandRequired = required; }
    /// @}

    /// @name Lookup
    /// @{
    /// Returns the option whose long name is `name` (the first defined, should
    /// a rename have given two options the same long name); failing that, when
    /// `name` is one character long, the option with that short name whose
    /// long name sorts first (any character, letter or not). Returns nullptr
    /// otherwise.
    ///
    /// Every field of the option may be changed through the pointer, its names
    /// included: later lookups, parses and the help text go by the new names.
    /// The pointer stays valid while options are added and parses run; it
    /// becomes invalid when the parser is destroyed, assigned to (copy or
    /// move) or moved from.
    [[nodiscard]] CONKIT_OPTIONS_API Option* findOption(const std::string& name);
    /// Read-only form of `findOption`; the same pointer rules.
    [[nodiscard]] CONKIT_OPTIONS_API const Option* findOption(const std::string& name) const;
    /// Returns true when some defined option clashes with `option` (see
    /// `Option::conflictsWith`).
    [[nodiscard]] CONKIT_OPTIONS_API bool hasConflict(const Option& option) const;
    /// Clears the results of the previous parse: every option's `found` flag
    /// and what the latest parse gave it, the positional arguments, the
    /// program name and the error. `value` fields stay. Every parse calls it
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
    ///   no option prefix. A short name is any printable ASCII character
    ///   other than the blank.
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

    /// Reads environment variables through `variables` (default: `std::getenv`);
    /// nullptr reads none.
    void setEnvironment(Environment variables) noexcept { environment = variables; }
    /// @}

    /// @name Where text goes
    /// @{
    /// Sends the error line of later parses to `out` (default: standard
    /// output); nullptr prints it nowhere, and `lastError()` still returns it.
    /// The stream must outlive the parses that use it.
    void setErrorOutput(std::ostream* out) noexcept { errorOutput = out; }
    /// Returns the help text. In the classic syntax: the version line, the
    /// usage line and one `helpLine` per option that is not hidden, in
    /// long-name order (byte-wise, uppercase first), each ending in "\n".
    ///
    /// In the gnu syntax, the layout of Unix tools: lines ending in "\n",
    /// none in a blank, in blocks one empty line apart, a block that shows
    /// nothing left out:
    /// - the usage text; when it is empty, "Usage: PROG [OPTION]..." (PROG
    ///   the program name), plus " COMMAND [ARG]..." when there are commands;
    /// - the description, as given, without trailing blanks;
    /// - "Options:" and the options without a section, then each section's
    ///   title and a colon and its options, sections in the order of their
    ///   first option; options in definition order, hidden ones never;
    /// - "Commands:" and every command; then the footer, as the description.
    ///
    /// An option's entry is two blanks, "-x, " (or four blanks when the short
    /// name is not printable ASCII or is the blank) and the long form,
    /// "--NAME=VALUENAME", "--NAME[=VALUENAME]" (optional value) or
    /// "--[no-]NAME" (negatable), then each alias in effect the same way
    /// after ", " (never with "[no-]"). An option defined by its short name
    /// alone shows "-x", "-x VALUENAME" or "-x[VALUENAME]". The help follows
    /// in column 30, on the next line when the entry is wider than 28
    /// columns, and after it the tags that apply: "[required]", "[possible
    /// values: A, B]", "[default: D]" (options with a value; D in double
    /// quotes when it begins or ends with a blank) and "[env: VARIABLE]". Help
    /// and tags wrap at blanks to the help width, continuing in column 30; a
    /// line end in a help text starts a new line, and a word wider than the
    /// room has a line of its own. A command's entry is two blanks and its
    /// name, its help laid out the same way. Columns count characters (UTF-8
    /// continuation bytes take none). The version text is not shown.
    [[nodiscard]] CONKIT_OPTIONS_API std::string helpText() const;
    /// Returns the usage template with its first "%prog" replaced by the
    /// program name of the latest parse ("" before any parse).
    [[nodiscard]] CONKIT_OPTIONS_API std::string usageText() const;
    /// Writes `helpText()` to standard output and flushes it; in the classic
    /// syntax one more line end follows it. The gnu help ends with its last
    /// line, as the help of Unix tools does.
    CONKIT_OPTIONS_API void printHelp() const;
    /// The same on `out`.
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
    /// Returns the `found` flag of the option with short name `shortName`
    /// whose long name sorts first; false when there is none.
    [[nodiscard]] CONKIT_OPTIONS_API bool isSet(char shortName) const;
    /// Returns the `found` flag of the option that `findOption` gives for
    /// `name`; false when there is none.
    [[nodiscard]] CONKIT_OPTIONS_API bool isSet(const std::string& name) const;
    /// Same as `isSet("help")`.
    [[nodiscard]] CONKIT_OPTIONS_API bool helpRequested() const;
    /// Same as `isSet("version")`.
    [[nodiscard]] CONKIT_OPTIONS_API bool versionRequested() const;
    /// Copies the option's `value` field into `value` and returns true, when
    /// its `found` flag is set. Otherwise returns false and leaves `value` as
    /// it was, so its content serves as the caller's default.
    CONKIT_OPTIONS_API bool getValue(const std::string& name, std::string& value) const;
    /// Converts what `value(name)` answers to `T`, one of the types of
    /// `detail::NumberTypes` (the integer types from short to unsigned long
    /// long, float and double): true and `out` set when the latest parse named
    /// the option and that whole text is a number that fits `T` (optional
    /// leading blanks and sign; see `StrSlice::parseNumber`); otherwise false
    /// and `out` unchanged.
    template <class T> bool getValue(const std::string& name, T& out) const {
        constexpr int kind = detail::indexIn<T>(detail::NumberTypes{});
        static_assert(kind >= 0, "getValue converts to the types of conkit::detail::NumberTypes");
        return getNumber(name, &out, kind);
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
    /// Returns where `value(name)` comes from: the command line when the
    /// latest parse named the option (its "--no-" form too), else the
    /// environment when its variable gave it, else `defaultValue` when it has
    /// a default, else `none`; `none` for an unknown name.
    [[nodiscard]] CONKIT_OPTIONS_API ValueSource source(const std::string& name) const;
    /// Returns the command the latest parse chose, or "".
    [[nodiscard]] CONKIT_OPTIONS_API std::string command() const;
    /// Returns the parser of the command the latest parse chose, or nullptr.
    [[nodiscard]] CONKIT_OPTIONS_API const OptionParser* commandParser() const;
    /// Returns the number of positional arguments.
    [[nodiscard]] size_type argCount() const noexcept { return latest.arguments.size(); }
    /// Returns a copy of positional argument `index` (from 0), or "" when
    /// `index` is not below `argCount()`.
    [[nodiscard]] CONKIT_OPTIONS_API std::string arg(size_type index) const;
    /// Returns true when there is at least one positional argument.
    [[nodiscard]] bool hasArgs() const noexcept { return !latest.arguments.empty(); }
    /// Returns the error line of the latest parse, without its line end, or ""
    /// when it had none.
    [[nodiscard]] std::string lastError() const { return latest.errorLine; }
    /// Returns why the latest parse failed; `ParseErrorKind::none` after a
    /// success and before any parse.
    [[nodiscard]] ParseErrorKind errorKind() const noexcept { return latest.errorKind; }
    /// Returns the option word the error is about, as written but without any
    /// "=value": "--colr", "--verb" (an abbreviation stays as typed), "-x",
    /// "/u"; "" when `errorKind()` is none.
    [[nodiscard]] std::string errorOption() const { return latest.errorWord; }
    /// @}

    /// @name Presenting the tool
    /// In the gnu syntax `helpText` lays the help out as Unix tools do: the
    /// usage line, the description, the options in definition order under
    /// their sections, the commands and the footer, wrapped to the help width.
    /// The classic help never changes.
    /// @{
    /// Sets the paragraph shown after the usage line of the gnu help, as
    /// given, and as the man page's DESCRIPTION, whose first sentence also
    /// follows the tool's name in NAME.
    void setDescription(const std::string& text) { description = text; }
    /// Sets the last paragraph of the gnu help, shown as given.
    void setFooter(const std::string& text) { footer = text; }
    /// Sets the width the gnu help wraps at (default 80). With 0 the width is
    /// the environment variable COLUMNS, read through the environment lookup
    /// (see `setEnvironment`) whenever the help is built, when it is a whole
    /// number from 40 to 500 written in digits alone; else 80.
    void setHelpWidth(std::size_t columns) noexcept { helpWidth = columns; }
    /// Returns a man page of the tool `program` for section `section`, in the
    /// roff of the man macros: the title line (no date; the version text, when
    /// there is one, in the footer), NAME (`program` and the first sentence of
    /// the description), SYNOPSIS (the usage text from its "%prog" on, with
    /// `program` in its place, else "PROG [OPTION]..." and " COMMAND
    /// [ARG]..." when there are commands), DESCRIPTION, OPTIONS (options as
    /// the gnu help shows them, names in bold and value names in italics, a
    /// subsection per section), COMMANDS and ENVIRONMENT (the variables of
    /// `env`); a section with nothing to show is left out. Every text prints
    /// as it is and never becomes a request; text is read as UTF-8 (a byte
    /// that is not prints as U+FFFD, a control character as a blank), and a
    /// character the output device lacks prints as '?'. `groff -man -ww -z`
    /// formats the page without a warning.
    [[nodiscard]] CONKIT_OPTIONS_API std::string manPage(const std::string& program,
                                                         int section = 1) const;
    /// @}

    /// @name Shell completion
    /// Each script completes the command `program` once its shell has loaded
    /// it, reading the words before the cursor as a parse would: the syntax's
    /// option words, a unique prefix of a long name (gnu), bundles of short
    /// names, values after '=' or in the next word, "--", and commands,
    /// nested. It offers:
    /// - where a word begins with '-': the option words that match, with the
    ///   "--no-" forms of negatable options and the aliases; never hidden
    ///   ones (a hidden option still takes its value). The gnu syntax offers
    ///   "--NAME", and "-x" for each printable short name but '-' (no "--x"
    ///   for an option defined by its short name alone); the classic syntax
    ///   "--NAME", and "-x" for letters.
    /// - for a value (after "--color=", "--ou " when "--ou" names --output,
    ///   "-vo " when o takes one, or any option word in the classic syntax):
    ///   the choices of an option with choices ("--color=" offers
    ///   "--color=always" ...), nothing for an option with a range, file
    ///   names for the others. An optional value (gnu) is never the next
    ///   word.
    /// - where a command may stand: the names of the commands, and after a
    ///   command that command's own words; nothing after a word that names
    ///   no command.
    /// - elsewhere, and after "--": file names.
    /// Words holding control characters are never offered. Loading a script
    /// runs nothing but its definitions and registration, whatever the
    /// names and texts hold; a NUL ends `program`.
    /// @{
    /// Returns the bash script. It needs bash 4 or later and nothing of the
    /// bash-completion package: `source <(tool --bash-completion)` loads it,
    /// and so does the package from its completions folder.
    [[nodiscard]] CONKIT_OPTIONS_API std::string bashCompletion(const std::string& program) const;
    /// Returns the zsh script, which shows each option's and command's help:
    /// a function file for compinit (`_PROGRAM` in a folder of $fpath; its
    /// first line is "#compdef PROGRAM" when the name holds only letters,
    /// digits and "_.+-" and does not begin with '-'), or a script to source
    /// after compinit.
    [[nodiscard]] CONKIT_OPTIONS_API std::string zshCompletion(const std::string& program) const;
    /// Returns the fish script, which shows each option's and command's help:
    /// `PROGRAM.fish` in a completions folder such as
    /// ~/.config/fish/completions (fish loads it for a command it finds), or
    /// sourced. Fish refuses to complete a name that ends in an odd number
    /// of backslashes; the script then only defines its functions.
    [[nodiscard]] CONKIT_OPTIONS_API std::string fishCompletion(const std::string& program) const;
    /// @}

    /// @name Checking the table
    /// @{
    /// Returns one line per problem in the definitions, none when there is
    /// none: names given to `describe` or `exclusive` that no option has,
    /// choices or a range on an option without a value, `negatable` on an
    /// option with a value or an optional one, a default or implicit value
    /// that breaks the option's own choices or range, a range whose minimum
    /// exceeds its maximum, a long name that a "--no-" form repeats, an alias
    /// that does not take effect (and which option has its name), a required
    /// option with a default, an `addHelpOption` or `addVersionOption` that
    /// added nothing because its names were taken; and the same for every
    /// command, its lines beginning with "NAME: ". A line begins with the
    /// option as "--NAME: ", or with an unknown name in single quotes; the
    /// unknown names come first, once each, then the options in order of
    /// definition, help and version, and the commands in order of adding.
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string> checkTable() const;
    /// Returns this parser's long names as "--NAME" and its command names
    /// bare, one option or command per line (an option's aliases follow its
    /// long name on its line, each after one blank), each "--no-NAME" form on
    /// a line of its own, the lines sorted bytewise: the list a release keeps
    /// to compare later versions against. Hidden options are listed, since
    /// they are parsed; aliases that are not in effect are not. Every line
    /// ends in "\n", the last one too; no options and no commands give "".
    [[nodiscard]] CONKIT_OPTIONS_API std::string nameList() const;
    /// Returns one line per word that, under the gnu syntax's abbreviation
    /// rule, named one long name or command in `baseline` (a `nameList` of an
    /// earlier version) and now names a different one, is ambiguous, or
    /// names nothing (commands match exactly, so only their removal counts).
    /// Each line begins with the word in single quotes. None when every old
    /// word still means what it meant.
    ///
    /// The words tried are "--" before each prefix of each name of the
    /// baseline that named one option there (a prefix of one option's names
    /// alone names it), and each command name. A word still means what it meant
    /// when it names the option that now has the old long name, or failing
    /// that another of the old names: gaining an alias, or keeping the old
    /// long name as an alias, changes nothing. The lines read "'--WORD'
    /// named --OLD, now names --NEW" (or "nothing", or "now is ambiguous:
    /// --A, --B"), in byte order of the words, then "'NAME' named the
    /// command NAME, now names nothing". In `baseline` a line that begins
    /// with "--" is an option, its names separated by " --"; any other line
    /// is a command; empty lines and a carriage return before a line end do
    /// not count.
    [[nodiscard]] CONKIT_OPTIONS_API std::vector<std::string>
    checkAbbreviations(const std::string& baseline) const;
    /// @}

private:
    friend class detail::ParseRun;

    /// The option `findOption` gives for `name`, or nullptr.
    [[nodiscard]] const Option* lookup(std::string_view name) const noexcept;
    /// What `value` answers for `option`: its latest value, else its default.
    [[nodiscard]] std::string_view latestValue(const Option& option) const noexcept;
    /// Every option, in long-name order (then order of definition).
    [[nodiscard]] std::vector<const Option*> inNameOrder() const;
    /// What a parse learns of the table while it clears the results: whether
    /// some option is read from the environment or is required (checked once
    /// the rules are done), whether some option has aliases, and whether some
    /// long name is one character long (else a one-character name can only be
    /// a short name).
    /// One word of flags rather than three bools: the bools went through
    /// memory byte by byte and came back as one wider load, which stalls.
    struct TableTraits {
        enum : unsigned { checksAfter = 1U, aliases = 2U, oneCharacterNames = 4U };
        unsigned flags = 0;
        /// True when the table has one of the traits in `wanted`.
        [[nodiscard]] bool has(unsigned wanted) const noexcept { return (flags & wanted) != 0; }
    };
    /// What `reset` clears but the program name.
    TableTraits clearResults();
    /// Clears the results of every command, as `reset` does.
    void clearCommands();
    /// Parses `words`, whose word 0 stands for the program, named `program`.
    bool parseWords(const detail::CommandWords& words, std::string_view program);

    /// The text of a default value: character strings as they are (a null
    /// `const char*` as ""), everything else as a default-formatted
    /// `std::ostringstream` writes it.
    template <class T> static std::string formatDefault(const T& value) {
        if constexpr (std::is_convertible_v<const T&, const char*>) {
            const char* text = value;
            return text != nullptr ? text : "";
        } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
            return std::string(std::string_view(value));
        } else if constexpr (detail::indexIn<T>(detail::FormattedTypes{}) >= 0) {
            return streamed(&value, detail::indexIn<T>(detail::FormattedTypes{}));
        } else {
            return streamed(
                [](std::ostream& out, const void* p) { out << *static_cast<const T*>(p); }, &value);
        }
    }
    /// Writes the value at `value`, of the built-in type at position `kind`
    /// of `detail::FormattedTypes`, to a fresh `std::ostringstream` with default
    /// settings and returns its text; defined in the library, so that this
    /// header needs no stream headers.
    CONKIT_OPTIONS_API static std::string streamed(const void* value, int kind);
    /// The same with `write`, for any type that has an `operator<<`.
    CONKIT_OPTIONS_API static std::string streamed(void (*write)(std::ostream&, const void*),
                                                   const void* value);
    /// Converts what `value(name)` answers into `*out`, a variable of the type
    /// at position `kind` of `detail::NumberTypes`; see `getValue`.
    CONKIT_OPTIONS_API bool getNumber(const std::string& name, void* out, int kind) const;

    std::string usage;
    std::string version;

    /// The option records, in order of definition: the only home of every
    /// option's definition and results. A list never moves its elements, so
    /// a pointer from `findOption` survives every `addOption`.
    std::list<Option> table;
    /// What `describe` hands out for a name that no option has.
    Option scratch;
    /// Names given to `describe` or `exclusive` that no option had.
    std::vector<std::string> unknownNames;
    /// The number of exclusive groups made so far; each has its number in
    /// the records of its options.
    std::size_t groupCount = 0;

    /// `addHelpOption` or `addVersionOption` found their names taken.
    bool helpNotAdded = false;
    bool versionNotAdded = false;

    /// What the gnu help and the man page show besides the options.
    std::string description;
    std::string footer;
    std::size_t helpWidth = 80;

    /// A sub-command: its name, its help text and its parser.
    struct Command;
    std::list<Command> commands;
    bool commandRequired = false;

    /// What the latest parse found besides the options' own results.
    struct Latest {
        std::string prog;
        /// Every positional word and option value of the parse, back to back:
        /// the first `used` characters. The buffer is kept for the next parse.
        /// Each value follows a header that holds where the previous value
        /// of its option lies and its own length, so that an option's values
        /// form a chain from its `lastValue` back.
        std::string text;
        std::size_t used = 0;
        /// The positional words.
        std::vector<Span> arguments;
        std::string errorLine;
        std::string errorWord;
        ParseErrorKind errorKind = ParseErrorKind::none;

        /// The text at `span`.
        [[nodiscard]] std::string_view at(Span span) const noexcept {
            return std::string_view(text.data() + span.begin, span.length);
        }
        /// The header of the value kept at `place`.
        [[nodiscard]] ValueHeader headerAt(std::size_t place) const noexcept {
            ValueHeader header;
            std::memcpy(&header, text.data() + place, sizeof header);
            return header;
        }
        /// The value kept at `place`.
        [[nodiscard]] std::string_view valueAt(std::size_t place) const noexcept {
            return std::string_view(text.data() + place + sizeof(ValueHeader),
                                    headerAt(place).length);
        }
    } latest;

    std::ostream* errorOutput;
    Environment environment;
    Syntax syntaxRules = Syntax::classic;
    bool stopAtFirstArgument = false;
};

/// A sub-command of a parser: what `addCommand` defined.
struct OptionParser::Command {
    /// The word that chooses it.
    std::string name;
    /// Its line in the help text.
    std::string help;
    /// The parser of the words after its name.
    OptionParser parser;
    /// The latest parse chose it.
    bool chosen = false;
};

} // namespace conkit
