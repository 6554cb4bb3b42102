// One parse of one parser: what the rules of a syntax read, the only ways
// they record results, and the rules themselves.
#pragma once

#include "options/messages/Lines.h"
#include "options/parser/State.h"
#include "options/sources/ResponseFiles.h"
#include "options/table/ShortForm.h"
#include "options/table/ValueRules.h"
#include "options/text/CommandWords.h"
#include "slices/detail/Hints.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

class ConfigFile;

/// Where the words of a lenient parse leave the line: the parser the next
/// word belongs to, the option whose value it is (Names::none when it is
/// none's), and whether the options have ended there.
struct LineEnd {
    ParserState* level = nullptr;
    std::uint32_t pending = Names::none;
    bool ended = false;
};

/// What a parse of one parser is part of.
struct ParseContext {
    /// A parent parser asked for help or version: nothing is required of
    /// this one.
    bool excused = false;
    /// The configuration file a parent parser shares, and the parser that
    /// has its setting.
    ConfigFile* config = nullptr;
    const ParserState* configOwner = nullptr;
    /// Set for a lenient parse, which reads the words before the cursor of
    /// a completion: nothing is required, no value is checked, and words
    /// the parse would refuse are passed over. It learns where they end.
    LineEnd* line = nullptr;
};

/// The parser as one parse sees it. Both syntaxes find options and record
/// through it, so that found flags, values, counts, positional words, checks
/// of values and errors are the same whatever the rules.
class ParseRun {
public:
    /// Records into `recorded`, whose results were cleared.
    ParseRun(ParserState& recorded, const ParseContext& context) noexcept
        : state(recorded), table(recorded.table), nameIndex(recorded.table.names()),
          setting(context), hasCommands(!recorded.table.commands.empty()),
          configOption(recorded.sources.configFile.reader != nullptr
                           ? nameIndex.find(recorded.sources.configFile.option)
                           : Names::none) {}

    /// @name The table
    /// @{
    /// Option `index` of the table.
    [[nodiscard]] const Option& option(std::uint32_t index) const noexcept {
        return state.table.options[index];
    }
    /// The option `findOption` gives for `name`, or Names::none.
    [[nodiscard]] std::uint32_t find(std::string_view name) const noexcept {
        return nameIndex.find(name);
    }
    /// What `word`, typed after "--", names under the gnu rule.
    [[nodiscard]] Names::Reading read(std::string_view word) const noexcept {
        return nameIndex.read(word);
    }
    /// The names of the table, as they are for the whole parse.
    [[nodiscard]] const Names& names() const noexcept { return nameIndex; }
    /// The option that "-c" names in the gnu syntax, or Names::none.
    [[nodiscard]] std::uint32_t findShortForm(char c) const noexcept {
        return isShortForm(c, Syntax::gnu) ? nameIndex.findShort(c) : Names::none;
    }
    /// The program name of this parse, which begins its error lines.
    [[nodiscard]] std::string program() const { return state.program(); }
    /// The texts the parser writes in.
    [[nodiscard]] Texts texts() const { return state.texts(); }
    /// The error lines of this parse.
    [[nodiscard]] Lines lines() const { return Lines(state.texts(), state.program()); }
    /// True for a lenient parse.
    [[nodiscard]] bool lenient() const noexcept { return setting.line != nullptr; }
    /// True when the table has deprecated names: the syntaxes then hand
    /// each option they read to `namedBy`.
    [[nodiscard]] bool watchesNames() const noexcept { return nameIndex.hasDeprecatedNames(); }
    /// @}

    /// @name Recording
    /// Those that return a bool return false after recording an error.
    /// @{
    /// True when the parser has commands: its first positional word names one.
    /// A loop over the words reads it once, before the loop.
    [[nodiscard]] bool takesCommands() const noexcept { return hasCommands; }
    /// Takes word `index` of the command line, a positional word, as the word
    /// that names a command: the words from there on are the command's.
    void startsCommand(std::size_t index) noexcept { commandAt = index; }
    /// Records a positional word.
    void positional(std::string_view word) { state.results.positionalWord(word); }
    /// Records an option word, `written`, that named option `index`, unless
    /// an option of one of its exclusive groups was named before.
    bool named(std::uint32_t index, std::string_view written) {
        Option& named = writable(index);
        if (!named.description().groups.empty() && !exclusiveAllows(named, written)) {
            return false;
        }
        if (index == configOption) {
            keepConfigWord(written);
        }
        state.results.named(named, index);
        return true;
    }
    /// Stores `text`, given to option `index` by the option word `written`,
    /// once it passes the option's choices and range.
    bool stored(std::uint32_t index, std::string_view text, std::string_view written) {
        Option& given = writable(index);
        if (ParserAccess::checksValues(given)) {
            return storedChecked(index, text, written);
        }
        state.results.stored(given, index, text, ValueSource::commandLine);
        return true;
    }
    /// `named` and then `stored`: the option word `written` named option
    /// `index` and gave it `text`.
    bool namedWithValue(std::uint32_t index, std::string_view text, std::string_view written) {
        Option& given = writable(index);
        if (ParserAccess::checksValues(given) || !given.description().groups.empty()) {
            return named(index, written) && storedChecked(index, text, written);
        }
        if (index == configOption) {
            keepConfigWord(written);
        }
        state.results.namedWithValue(given, index, text);
        return true;
    }
    /// Stores the option's implicit value, which is not checked.
    void storedImplicit(std::uint32_t index) {
        Option& given = writable(index);
        state.results.stored(given, index, given.description().implicitValue,
                             ValueSource::commandLine);
    }
    /// Records the warning for option `index`, read from its long name or
    /// alias `name` ("" for its short name), when the option or that alias
    /// is deprecated; each line once per parse.
    CONKIT_NOINLINE void namedBy(std::uint32_t index, std::string_view name);
    /// Records the warning `line` of the parse this one is part of, unless
    /// it has it already; a lenient parse warns of nothing.
    void warn(std::string line) {
        if (!lenient()) {
            warnings().warn(std::move(line));
        }
    }
    /// Records "--no-NAME": every earlier naming of option `index` is undone.
    void negated(std::uint32_t index) { state.results.negated(writable(index), index); }
    /// Records the error of the parse, which goes to the error output, and
    /// returns false; a lenient parse passes over it and returns true.
    bool fail(Failure failure);
    /// A lenient parse records where the words ended: option `pending`
    /// awaits the next word (Names::none when none does), and whether the
    /// options ended. A strict one ignores it. When `pending` was named by
    /// `namedBy` and that is the whole last word of `words`, that naming is
    /// undone, so that a completer sees the line without the option
    /// awaiting its value.
    void wordsEnded(std::uint32_t pending, bool ended, std::string_view namedBy = {},
                    const CommandWords* words = nullptr) {
        if (setting.line != nullptr) {
            endLeniently(pending, ended, namedBy, words);
        }
    }
    /// True when a word "@FILE" stands for the words of FILE.
    [[nodiscard]] bool readsResponseFiles() const noexcept { return state.responseFiles(); }
    /// The words of `line` as this parse reads them with response files.
    ResponseWords& responseWords(const CommandWords& line) {
        responses = std::make_unique<ResponseWords>(line);
        return *responses;
    }
    /// Puts the words of the response file that word `at` ("@FILE"), the
    /// last word read, names in its place (parse/Sources.cpp).
    bool readResponseFile(ResponseWords& words, std::size_t at);
    /// Completes a parse whose rules accepted `words`: runs the chosen
    /// command, reads the configuration file and the environment and checks
    /// what is required.
    bool finish(const CommandWords& words) {
        return (commandAt == 0 && state.table.handedOut().empty() && !hasCommands &&
                state.table.operands.empty() && setting.config == nullptr &&
                state.sources.configFile.reader == nullptr && !lenient()) ||
               finishSlowly(words);
    }
    /// @}

    /// @name For the sources' step (parse/Sources.cpp) and the tool's help command
    /// @{
    /// Gives option `index`, which the command line did not name, `text` from
    /// `from` (a variable, or a FILE:LINE of the configuration file): a value
    /// once it passes the option's choices and range, else on or off as the
    /// text says. A text refused fails the parse, with `program` beginning
    /// the line, when `checked`; else it is stored as it is (in a lenient
    /// parse) or passed over.
    bool fallback(std::uint32_t index, std::string_view text, std::string_view from,
                  ValueSource source, std::string_view program, bool checked);
    /// Parses `words` (the command word first) with the command `command`
    /// of this parser, recording it as the chosen one.
    bool runCommand(Command& command, const CommandWords& words);
    /// The word that named the configuration file's option, "" for none.
    [[nodiscard]] std::string_view configWord() const { return state.results.text(configWordSpan); }
    [[nodiscard]] ParserState& parser() noexcept { return state; }
    [[nodiscard]] const ParserState& parser() const noexcept { return state; }
    [[nodiscard]] const ParseContext& context() const noexcept { return setting; }
    /// @}

private:
    /// Option `index`, to record into: the parse writes its public fields.
    [[nodiscard]] Option& writable(std::uint32_t index) noexcept {
        return state.table.options[index];
    }
    /// The results that keep the warnings of the parse this one is part of.
    [[nodiscard]] Results& warnings() noexcept {
        return state.warningsTo != nullptr ? *state.warningsTo : state.results;
    }
    /// `finish` beyond its first test.
    bool finishChecks(const CommandWords& words);
    /// Writes what a parse of its own warned of, once it succeeded, unless
    /// it answers a request instead (help, version and the like): then the
    /// warnings are dropped. A failed parse wrote them before its error.
    void settleWarnings();
    /// `stored` for an option with choices, a range or a check. Out of line:
    /// most options have none, and the check and its error inlined would
    /// crowd the registers of the loop over the words.
    CONKIT_NOINLINE bool storedChecked(std::uint32_t index, std::string_view text,
                                       std::string_view written);
    bool exclusiveAllows(const Option& option, std::string_view written);
    /// Keeps `written`, the word that named the configuration file's option,
    /// which an error about the file names. Out of line, as `storedChecked`.
    CONKIT_NOINLINE void keepConfigWord(std::string_view written) {
        configWordSpan = state.results.kept(written);
    }
    bool finishSlowly(const CommandWords& words);
    /// `wordsEnded` for a lenient parse, out of line: a strict one never runs it.
    CONKIT_NOINLINE void endLeniently(std::uint32_t pending, bool ended, std::string_view namedBy,
                                      const CommandWords* words);
    /// Shares the positional words out among the operands and, when
    /// `checked`, fails on a missing or extra operand or an invalid word.
    bool operandsAccepted(bool checked);
    /// True when this parse or the command it chose asked for help or
    /// version, or a tool's parse for something else it answers.
    [[nodiscard]] static bool answerAsked(const ParserState& asked);

    ParserState& state;
    const TableState& table;
    /// The names of the table, read once as the parse begins: nothing can
    /// change them while it runs.
    const Names& nameIndex;
    ParseContext setting;
    bool hasCommands;
    /// The index of the word that names a command, or 0.
    std::size_t commandAt = 0;
    /// The option that names the configuration file, and the word that
    /// named it, kept with the parse's texts.
    std::uint32_t configOption;
    Span configWordSpan;
    /// The words as read with response files, which the chosen command reads on.
    std::unique_ptr<ResponseWords> responses;
};

/// Parses `given` with the classic rules.
bool parseClassic(const CommandWords& given, ParseRun& run);

/// Parses `words` with the gnu rules; with `stopAtFirstArgument`, the first
/// positional word ends the options. `words` views the words in the end,
/// each "@FILE" the run read replaced by its file's words.
bool parseGnu(CommandWords& words, bool stopAtFirstArgument, ParseRun& run);

/// Parses `words` into the parser `parser` in `context`.
bool parseWords(ParserState& state, const CommandWords& words, const ParseContext& context);

/// Why `text`, given to an option or operand with `rules`, is refused: its
/// choices (with a suggestion when one is close) or its range.
std::string refusalReason(const Lines& lines, const Rules& rules, std::string_view text);

/// Why `rules` refuse `text`: its choices or its range, else the tool's own
/// check, which is asked only about a value that passed them; "" when
/// `text` passes them all. `makeLines()` gives the lines, only for a refusal.
template <class MakeLines>
std::string refusal(const Rules& rules, std::string_view text, MakeLines makeLines) {
    if (!acceptsValue(rules, text)) {
        return refusalReason(makeLines(), rules, text);
    }
    if (rules.check == nullptr) {
        return {};
    }
    const std::string reason = rules.check(std::string(text));
    return reason.empty() ? reason : makeLines().checkReason(reason);
}

} // namespace conkit::detail
