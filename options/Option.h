// What a tool declares to a parser: OptionParser::Option, one option of the
// table, and OptionParser::Operand, a positional word; the calls that
// describe each and what they recorded. Included by OptionParser.h.
#pragma once

#include "options/Export.h"
#include "options/OptionParser.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace conkit {

/// One option of the table; a parse writes `found` and `value` (@ref options_queries_records).
struct OptionParser::Option {
    char shortName = '\0';    ///< The short name, or '\0' for none.
    std::string longName;     ///< The long name; the short name as text when defined without.
    bool needArg = false;     ///< True when the option takes a value (see ValueKind).
    std::string defaultValue; ///< The value when none is given; "" for none.
    std::string help;         ///< The help text.
    bool found = false;       ///< True when the latest parse set the option.
    std::string value;        ///< The latest value stored, perhaps by an earlier parse.

    /// Stores `text` as `value` and sets `found`, as a parse does.
    CONKIT_OPTIONS_API void setValue(const std::string& text);
    /// True when the option has a non-empty default.
    [[nodiscard]] bool hasDefault() const noexcept { return !defaultValue.empty(); }
    /// True when both options have one short form or one long name or alias.
    [[nodiscard]] CONKIT_OPTIONS_API bool conflictsWith(const Option& other) const noexcept;
    /// The option's line of the classic help text (see @ref options_help_classic).
    [[nodiscard]] CONKIT_OPTIONS_API std::string helpLine() const;

    /// @name Describing the option further
    /// Each returns the option, so that calls chain (see @ref options_table_describe).
    /// @{

    /// The value's placeholder in help, man page and completion.
    CONKIT_OPTIONS_API Option& valueName(const std::string& text);
    /// gnu: the value is taken only when attached; named alone, the option gets `implicit`.
    CONKIT_OPTIONS_API Option& optionalValue(const std::string& implicit);
    /// The values accepted, compared exactly.
    CONKIT_OPTIONS_API Option& choices(const std::vector<std::string>& allowed);
    /// Accepts a whole number from `min` to `max`.
    CONKIT_OPTIONS_API Option& range(long long min, long long max);
    /// Accepts a number from `min` to `max`.
    CONKIT_OPTIONS_API Option& realRange(double min, double max);
    /// The parse fails when no command line, environment or configuration file gives it.
    CONKIT_OPTIONS_API Option& required();
    /// gnu, options without a value: "--no-NAME" undoes it.
    CONKIT_OPTIONS_API Option& negatable();
    /// The environment variable read when the command line does not name it.
    CONKIT_OPTIONS_API Option& env(const std::string& variable);
    /// The help heading it is listed under.
    CONKIT_OPTIONS_API Option& section(const std::string& title);
    /// Left out of help, man page, completion and error lines; parsed by its whole names only.
    CONKIT_OPTIONS_API Option& hidden();
    /// Another long name for the option.
    CONKIT_OPTIONS_API Option& alias(const std::string& name);
    /// Still works, but naming it warns with `advice`; help and completion leave it out.
    CONKIT_OPTIONS_API Option& deprecated(const std::string& advice);
    /// Another long name that still works, named whole only; naming it warns "use '--LONG'".
    CONKIT_OPTIONS_API Option& deprecatedAlias(const std::string& name);
    /// The completion scripts ask the program for its values (see @ref options_tool_request).
    CONKIT_OPTIONS_API Option& completeWith(Completer complete);
    /// The same, with a completer that sees the words before the cursor (@ref options_rules_line).
    CONKIT_OPTIONS_API Option& completeWith(LineCompleter complete);
    /// A rule of the tool's own, asked after the choices and the range (@ref options_rules_check).
    CONKIT_OPTIONS_API Option& check(Check rule);
    /// Accepts a whole number of at least `min` (@ref options_rules_bounds).
    CONKIT_OPTIONS_API Option& atLeast(long long min);
    /// Accepts a whole number of at most `max`.
    CONKIT_OPTIONS_API Option& atMost(long long max);
    /// @}

    /// What a word that names the option takes after it; `needArg` tells
    /// whether it is anything but none.
    enum class ValueKind : unsigned char {
        none,     ///< Nothing: the next word is a word of its own.
        required, ///< A value: attached, or else the next word.
        optional  ///< gnu: a value only when attached; named alone, the implicit value.
    };

    /// What the setters above recorded.
    struct Description {
        /// How a range is given.
        enum class Range : unsigned char { none, whole, real };
        /// Which ends of a whole range were given; atLeast or atMost alone leaves the other open.
        enum class Ends : unsigned char { both, lowerOnly, upperOnly };
        std::string valueName;                      ///< See valueName().
        ValueKind value = ValueKind::none;          ///< See addOption() and optionalValue().
        std::string implicitValue;                  ///< See optionalValue().
        std::vector<std::string> choices;           ///< See choices().
        Range range = Range::none;                  ///< Which range applies.
        long long wholeMin = 0;                     ///< See range().
        long long wholeMax = 0;                     ///< See range().
        double realMin = 0;                         ///< See realRange().
        double realMax = 0;                         ///< See realRange().
        Ends ends = Ends::both;                     ///< See atLeast() and atMost().
        bool required = false;                      ///< See required().
        bool negatable = false;                     ///< See negatable().
        bool hidden = false;                        ///< See hidden().
        std::string env;                            ///< See env().
        std::string section;                        ///< See section().
        std::vector<std::string> aliases;           ///< See alias(); deprecated aliases too.
        std::optional<std::string> deprecated;      ///< See deprecated(): its advice.
        std::vector<std::string> deprecatedAliases; ///< See deprecatedAlias().
        std::vector<std::size_t> groups;            ///< The exclusive groups it belongs to.
        Completer completer = nullptr;              ///< See completeWith().
        /// For an option the library adds, the catalogue's text its help is.
        std::optional<MessageId> builtInHelp;
        /// See completeWith(LineCompleter).
        LineCompleter lineCompleter = nullptr;
        /// See check().
        Check check = nullptr;
    };
    /// What the setters recorded.
    [[nodiscard]] const Description& description() const noexcept { return described; }

private:
    friend class OptionParser;
    friend struct detail::ParserAccess;
    Description described;
    /// True when a value must pass choices, a range or a check: read once
    /// per value by a parse, kept by the setters of those.
    bool valuesChecked = false;
};

/// A positional word the tool declares, in order (see @ref options_operands).
struct OptionParser::Operand {
    /// @name Describing the operand
    /// Each returns the operand, so that calls chain.
    /// @{

    /// May be left out (the default: required).
    CONKIT_OPTIONS_API Operand& optional();
    /// Takes every word left over: one or more, or with optional() zero or more.
    CONKIT_OPTIONS_API Operand& repeated();
    /// The words accepted, compared exactly.
    CONKIT_OPTIONS_API Operand& choices(const std::vector<std::string>& allowed);
    /// Accepts a whole number from `min` to `max`.
    CONKIT_OPTIONS_API Operand& range(long long min, long long max);
    /// Accepts a number from `min` to `max`.
    CONKIT_OPTIONS_API Operand& realRange(double min, double max);
    /// Whether completion offers file names here (the default) when there are no choices.
    CONKIT_OPTIONS_API Operand& completeFiles(bool files);
    /// The completion scripts ask the program for its words (see @ref options_tool_request).
    CONKIT_OPTIONS_API Operand& completeWith(Completer complete);
    /// The same, asking a completer that sees the words before the cursor.
    CONKIT_OPTIONS_API Operand& completeWith(LineCompleter complete);
    /// A rule of the tool's own, asked after the choices and the range.
    CONKIT_OPTIONS_API Operand& check(Check rule);
    /// Accepts a whole number of at least `min`.
    CONKIT_OPTIONS_API Operand& atLeast(long long min);
    /// Accepts a whole number of at most `max`.
    CONKIT_OPTIONS_API Operand& atMost(long long max);
    /// @}

    /// What the setters recorded.
    struct Description {
        std::string name;          ///< As shown: "PATTERN", "FILE".
        std::string help;          ///< The help text.
        bool optional = false;     ///< See optional().
        bool repeated = false;     ///< See repeated().
        bool completeFiles = true; ///< See completeFiles().
        Option::Description words; ///< Its choices and range, as an option's.
    };
    /// What the setters recorded.
    [[nodiscard]] const Description& description() const noexcept { return described; }

private:
    friend class OptionParser;
    Description described;
};

} // namespace conkit
