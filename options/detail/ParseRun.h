// One parse of one parser: what the rules of a syntax read, the only ways
// they record results, and the rules themselves.
#pragma once

#include "options/OptionParser.h"
#include "options/detail/CommandWords.h"
#include "options/detail/Lookup.h"
#include "options/detail/ShortForm.h"

#include <string>
#include <string_view>

namespace conkit::detail {

/// The parser as one parse sees it. Both syntaxes find options and record
/// through it, so that found flags, values, counts, positional words and
/// errors are kept the same way whatever the rules; everything is written
/// where the queries read it, at once.
class ParseRun {
public:
    using Option = OptionParser::Option;

    /// Records into `parser`, whose results were cleared.
    explicit ParseRun(OptionParser& recorded) noexcept : parser(recorded) {}

    /// @name The table
    /// @{
    /// Every option, in order of definition.
    [[nodiscard]] std::deque<Option>& options() noexcept { return parser.table; }
    /// The option `findOption` gives for `name`, or nullptr.
    [[nodiscard]] Option* find(std::string_view name) noexcept {
        return findOptionIn(parser.table, name);
    }
    /// The option with long name `name`, or nullptr.
    [[nodiscard]] Option* findLong(std::string_view name) noexcept {
        return findLongIn(parser.table, name);
    }
    /// The option that "-c" names in the gnu syntax, or nullptr.
    [[nodiscard]] Option* findShortForm(char c) noexcept {
        return isShortForm(c, Syntax::gnu) ? findShortIn(parser.table, c) : nullptr;
    }
    /// The program name of this parse.
    [[nodiscard]] const std::string& program() const noexcept { return parser.latest.prog; }
    /// @}

    /// @name Recording
    /// @{
    /// Takes the last component of `path` as the program name.
    void setProgram(std::string_view path);
    /// Records a positional word.
    void positional(std::string_view word) { parser.latest.arguments.push_back(keep(word)); }
    /// Records an option word that named `option`: it is found, and counted.
    static void named(Option& option) noexcept {
        option.found = true;
        ++option.timesNamed;
    }
    /// Stores `text` as the value of `option`: it is found, its `value` field
    /// becomes `text`, and `text` joins its values.
    void stored(Option& option, std::string_view text) {
        option.found = true;
        assignText(option.value, text);
        option.givenValues.push_back(keep(text));
    }
    /// Records the error of the parse: its kind, the option word it is about
    /// and its line, which goes to the error output. Returns false, the result
    /// of the failed parse.
    bool fail(ParseErrorKind kind, std::string_view optionWord, std::string line);
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
    /// Makes room for `more` characters behind the texts kept so far.
    void grow(std::size_t more);

    OptionParser& parser;
};

/// Parses `words` with the classic rules.
bool parseClassic(const CommandWords& words, ParseRun& run);

/// Parses `words` with the gnu rules; with `stopAtFirstArgument`, the first
/// positional word ends the options.
bool parseGnu(const CommandWords& words, bool stopAtFirstArgument, ParseRun& run);

} // namespace conkit::detail
