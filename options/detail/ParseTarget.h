// What the rules of a syntax see of the parser during one parse, and the
// rules themselves.
#pragma once

#include "options/OptionParser.h"
#include "options/detail/CommandWords.h"

#include <string>
#include <string_view>

namespace conkit::detail {

/// The parser as one parse sees it: the option table to read, and the only
/// ways to record results. Both syntaxes go through it, so that found flags,
/// values, counts, positional words and errors are kept the same way whatever
/// the rules.
class ParseTarget {
public:
    using Option = OptionParser::Option;

    /// Records into `parser`, whose index must be current and whose results
    /// were reset.
    explicit ParseTarget(OptionParser& recorded) noexcept : parser(recorded) {}

    /// The options by name.
    [[nodiscard]] const NameIndex& names() const noexcept { return parser.index; }
    /// The option at `position`.
    [[nodiscard]] const Option& option(OptionPosition position) const noexcept {
        return parser.entry(position);
    }
    /// The program name of this parse.
    [[nodiscard]] const std::string& program() const noexcept { return parser.prog; }

    /// Takes the last component of `path` as the program name.
    void setProgram(std::string_view path);
    /// Records a positional word.
    void positional(std::string_view word) { parser.latest.addArgument(word); }
    /// Records an option word that named the option at `position`: the
    /// option is found, and counted.
    void named(OptionPosition position) {
        parser.entry(position).found = true;
        parser.latest.addNamed(position);
    }
    /// Stores `text` as the value of the option at `position`: the option is
    /// found, the value kept for `values`, and the option's `value` becomes it
    /// by the time `finish` returns.
    void stored(OptionPosition position, std::string_view text) {
        parser.entry(position).found = true;
        // An option often takes several values in a row; only the last of
        // such a run needs to be copied into its `value`.
        if (position != pendingOption) {
            if (pendingOption != noOption) {
                flushPending();
            }
            pendingOption = position;
        }
        parser.latest.addValue(position, text);
    }
    /// Records the error of the parse: its kind, the option word it is about
    /// and its line, which goes to the error output. Returns false, the result
    /// of the failed parse.
    bool fail(ParseErrorKind kind, std::string_view optionWord, std::string line);
    /// Completes the options' `value` fields; called once the rules are done,
    /// whether or not they failed.
    void finish() {
        if (pendingOption != noOption) {
            flushPending();
        }
    }

private:
    /// Copies the last value of `pendingOption` into its `value`.
    void flushPending();

    OptionParser& parser;
    /// The option that took the latest value, not yet copied into its `value`.
    OptionPosition pendingOption = noOption;
};

/// Parses `words` with the classic rules.
bool parseClassic(const CommandWords& words, ParseTarget& target);

/// Parses `words` with the gnu rules; with `stopAtFirstArgument`, the first
/// positional word ends the options.
bool parseGnu(const CommandWords& words, bool stopAtFirstArgument, ParseTarget& target);

} // namespace conkit::detail
