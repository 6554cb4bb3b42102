// One parse of one parser: what the rules of a syntax read, the only ways
// they record results, and the rules themselves.
#pragma once

#include "options/OptionParser.h"
#include "options/core/CommandWords.h"
#include "options/core/Lookup.h"
#include "options/core/ShortForm.h"
#include "options/core/ValueRules.h"

#include <cstring>
#include <string>
#include <string_view>

namespace conkit::detail {

/// The parser as one parse sees it. Both syntaxes find options and record
/// through it, so that found flags, values, counts, positional words, checks
/// of values and errors are the same whatever the rules; everything is
/// written where the queries read it, at once.
class ParseRun {
    using Traits = OptionParser::TableTraits;

public:
    /// Records into `parser`, whose results were cleared, learning `table`
    /// of the options.
    ParseRun(OptionParser& recorded, OptionParser::TableTraits table) noexcept
        : parser(recorded), traits(table) {}

    /// @name The table
    /// @{
    /// Every option, in order of definition.
    [[nodiscard]] std::list<Option>& options() noexcept { return parser.table; }
    /// The option `findOption` gives for `name`, or nullptr.
    [[nodiscard]] Option* find(std::string_view name) noexcept {
        if (name.size() == 1 && !traits.has(Traits::oneCharacterNames | Traits::aliases)) {
            return findShortIn(parser.table, name[0]);
        }
        return findOptionIn(parser.table, name, traits.has(Traits::aliases));
    }
    /// The option with long name or alias `name`, or nullptr.
    [[nodiscard]] Option* findLong(std::string_view name) noexcept {
        return findLongIn(parser.table, name, traits.has(Traits::aliases));
    }
    /// The option that "-c" names in the gnu syntax, or nullptr.
    [[nodiscard]] Option* findShortForm(char c) noexcept {
        return isShortForm(c, Syntax::gnu) ? findShortIn(parser.table, c) : nullptr;
    }
    /// The program name of this parse.
    [[nodiscard]] const std::string& program() const noexcept { return parser.latest.prog; }
    /// @}

    /// @name Recording
    /// Those that return a bool return false after recording an error.
    /// @{
    /// Takes `name` as the program name.
    void setProgram(std::string_view name) {
        if (!sameText(parser.latest.prog, name)) { // usually the same as in the last parse
            assignText(parser.latest.prog, name);
        }
    }
    /// Takes word `index` of the command line, a positional word, as the word
    /// that names a command and returns true, when the parser has commands:
    /// the words from there on are the command's.
    bool startsCommand(std::size_t index) noexcept {
        // Most parsers have no commands: a plain word is then positional,
        // the straight path through the syntaxes' loops over the words.
        if (CONKIT_LIKELY(parser.commands.empty())) {
            return false;
        }
        commandAt = index;
        return true;
    }
    /// Records a positional word.
    void positional(std::string_view word) { parser.latest.arguments.push_back(keep(word)); }
    /// Records an option word, `written`, that named `option`: it is found and
    /// counted, unless an option of one of its exclusive groups was named
    /// before.
    bool named(Option& option, std::string_view written) {
        if (!option.described.groups.empty() && !exclusiveAllows(option, written)) {
            return false;
        }
        option.found = true;
        option.from = ValueSource::commandLine;
        ++option.timesNamed;
        return true;
    }
    /// Stores `text`, given to `option` by the option word `written`, as its
    /// value once it passes the option's choices and range: the option is
    /// found, its `value` field becomes `text`, and `text` joins its values.
    bool stored(Option& option, std::string_view text, std::string_view written) {
        if (!accepts(option, text)) {
            return invalidValue(option, text, written, std::string_view());
        }
        storeChecked(option, text);
        return true;
    }
    /// Stores the option's implicit value, which is not checked.
    void storedImplicit(Option& option) { storeChecked(option, option.described.implicitValue); }
    /// Records "--no-NAME": every earlier naming of `option` in this parse is
    /// undone.
    static void negated(Option& option) noexcept {
        option.found = false;
        option.from = ValueSource::commandLine;
        option.timesNamed = 0;
        option.valueCount = 0;
    }
    /// Records the error of the parse: its kind, the option word it is about
    /// and its line, which goes to the error output. Returns false, the result
    /// of the failed parse.
    bool fail(ParseErrorKind kind, std::string_view optionWord, std::string line);
    /// Completes a parse whose rules accepted `words`: runs the chosen
    /// command, reads the environment and checks what is required. Returns
    /// the result of the parse.
    bool finish(const CommandWords& words) {
        // Most tables have none of these: nothing is left to do.
        return (commandAt == 0 && !traits.has(Traits::checksAfter) && parser.commands.empty()) ||
               finishSlowly(words);
    }
    /// @}

private:
    /// Copies `text` behind the texts of the parse kept so far.
    OptionParser::Span keep(std::string_view text) {
        OptionParser::Latest& latest = parser.latest;
        const std::size_t begin = latest.used;
        if (text.size() > latest.text.size() - begin) {
            grow(text.size());
        }
        copyText(&latest.text[begin], text);
        latest.used = begin + text.size();
        return {begin, text.size()};
    }
    /// Copies `text`, a value of `option`, behind the texts kept so far, after
    /// a header that links it to the option's previous value.
    void keepValue(Option& option, std::string_view text) {
        OptionParser::Latest& latest = parser.latest;
        const OptionParser::ValueHeader header{option.lastValue, text.size()};
        const std::size_t begin = latest.used;
        if (sizeof header + text.size() > latest.text.size() - begin) {
            grow(sizeof header + text.size());
        }
        std::memcpy(&latest.text[begin], &header, sizeof header);
        copyText(&latest.text[begin + sizeof header], text);
        latest.used = begin + sizeof header + text.size();
        option.lastValue = begin;
        ++option.valueCount;
    }
    /// Makes room for `more` characters behind the texts kept so far.
    void grow(std::size_t more);
    void storeChecked(Option& option, std::string_view text) {
        option.found = true;
        assignText(option.value, text);
        keepValue(option, text);
    }
    /// True when `text` passes the choices and range of `option`.
    static bool accepts(const Option& option, std::string_view text) {
        const Option::Description& rules = option.described;
        return (rules.choices.empty() && rules.range == Option::Description::Range::none) ||
               checkedValue(rules, text);
    }
    /// `acceptsValue`, out of line: most options have neither choices nor a
    /// range, and the checks inlined would crowd the registers of `stored`.
    CONKIT_NOINLINE static bool checkedValue(const Option::Description& rules,
                                             std::string_view text) {
        return acceptsValue(rules, text);
    }
    bool exclusiveAllows(const Option& option, std::string_view written);
    /// The error for `text` given to `option`, from the command line (by the
    /// option word `written`) or from the environment variable `variable`.
    bool invalidValue(const Option& option, std::string_view text, std::string_view written,
                      std::string_view variable);
    /// `finish` when a command, an environment variable or a required
    /// option may have something to do.
    bool finishSlowly(const CommandWords& words);
    bool runCommand(const CommandWords& words);
    /// Reads the environment variable of `option`, which the command line did
    /// not name.
    bool readEnvironment(Option& option);
    /// True when this parse or the command it chose asked for help or version.
    [[nodiscard]] static bool helpOrVersionAsked(const OptionParser& asked);

    OptionParser& parser;
    OptionParser::TableTraits traits;
    /// The index of the word that names a command, or 0.
    std::size_t commandAt = 0;
};

/// Parses `words` with the classic rules.
bool parseClassic(const CommandWords& words, ParseRun& run);

/// Parses `words` with the gnu rules; with `stopAtFirstArgument`, the first
/// positional word ends the options.
bool parseGnu(const CommandWords& words, bool stopAtFirstArgument, ParseRun& run);

} // namespace conkit::detail
