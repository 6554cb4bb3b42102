// One parse of one parser: what the rules of a syntax read, the only ways
// they record results, and the rules themselves.
#pragma once

#include "options/parse/CommandWords.h"
#include "options/table/ShortForm.h"
#include "options/parser/State.h"
#include "options/table/ValueRules.h"
#include "slices/detail/Hints.h"

#include <string>
#include <string_view>

namespace conkit::detail {

/// The parser as one parse sees it. Both syntaxes find options and record
/// through it, so that found flags, values, counts, positional words, checks
/// of values and errors are the same whatever the rules.
class ParseRun {
public:
    /// Records into `recorded`, whose results were cleared and whose index is
    /// current. With `excused`, a parent parser asked for help or version, so
    /// nothing is required of this one. `config`: the configuration file a
    /// parent parser shares with this one, or nullptr.
    ParseRun(ParserState& recorded, bool parentAsked, const ConfigScope* config) noexcept
        : state(recorded), excused(parentAsked), hasCommands(!recorded.commands.empty()),
          configScope(config), configOption(recorded.configFile.reader != nullptr
                                                ? recorded.index.find(recorded.configFile.option)
                                                : Names::none) {}

    /// @name The table
    /// @{
    /// Option `index` of the table.
    [[nodiscard]] Option& option(std::uint32_t index) noexcept { return state.table[index]; }
    /// What the names of the table read as.
    [[nodiscard]] const Names& names() const noexcept { return state.index; }
    /// The option `findOption` gives for `name`, or Names::none.
    [[nodiscard]] std::uint32_t find(std::string_view name) const noexcept {
        return state.index.find(name);
    }
    /// The option that "-c" names in the gnu syntax, or Names::none.
    [[nodiscard]] std::uint32_t findShortForm(char c) const noexcept {
        return isShortForm(c, Syntax::gnu) ? state.index.findShort(c) : Names::none;
    }
    /// The program name of this parse.
    [[nodiscard]] const std::string& program() const noexcept { return state.results.program; }
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
        Option& named = option(index);
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
        Option& given = option(index);
        const Option::Description& rules = given.description();
        if (!rules.choices.empty() || rules.range != Option::Description::Range::none) {
            return storedChecked(index, text, written);
        }
        state.results.stored(given, index, text, ValueSource::commandLine);
        return true;
    }
    /// `named` and then `stored`: the option word `written` named option
    /// `index` and gave it `text`.
    bool namedWithValue(std::uint32_t index, std::string_view text, std::string_view written) {
        Option& given = option(index);
        const Option::Description& rules = given.description();
        if (!rules.groups.empty() || !rules.choices.empty() ||
            rules.range != Option::Description::Range::none) {
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
        Option& given = option(index);
        state.results.stored(given, index, given.description().implicitValue,
                             ValueSource::commandLine);
    }
    /// Records "--no-NAME": every earlier naming of option `index` is undone.
    void negated(std::uint32_t index) { state.results.negated(option(index), index); }
    /// Records the error of the parse: its kind, the option word it is about
    /// and its line, which goes to the error output. Returns false.
    bool fail(ParseErrorKind kind, std::string_view optionWord, std::string line);
    /// True when a word "@FILE" stands for the words of FILE.
    [[nodiscard]] bool readsResponseFiles() const noexcept { return state.responseFiles; }
    /// Puts the words of the response file that word `at` ("@FILE") names in
    /// its place; `words` then views the words so read (ResponseFiles.cpp).
    bool readResponseFile(CommandWords& words, std::size_t at);
    /// Completes a parse whose rules accepted `words`: runs the chosen
    /// command, reads the configuration file and the environment and checks
    /// what is required.
    bool finish(const CommandWords& words) {
        return (commandAt == 0 && state.checkedAfter.empty() && state.commands.empty() &&
                state.operands.empty() && configScope == nullptr &&
                state.configFile.reader == nullptr) ||
               finishSlowly(words);
    }
    /// The text of the environment variable of `option`; "" when it has
    /// none, or it is not set.
    [[nodiscard]] std::string_view environmentText(const Option& option) const;
    /// Gives option `index`, which the command line did not name, `text` from
    /// `from` (a variable, or a FILE:LINE of the configuration file): a value
    /// once it passes the option's choices and range, else on or off as the
    /// text says. A text refused fails the parse, with `program` beginning
    /// the line, when `checked`; else it is passed over.
    bool fallback(std::uint32_t index, std::string_view text, std::string_view from,
                  ValueSource source, std::string_view program, bool checked);
    /// @}

private:
    /// `stored` for an option with choices or a range. Out of line: most
    /// options have neither, and the check and its error inlined would
    /// crowd the registers of the loop over the words.
    CONKIT_NOINLINE bool storedChecked(std::uint32_t index, std::string_view text,
                                       std::string_view written);
    /// True when `text` passes the choices and range of `option`.
    static bool accepts(const Option& option, std::string_view text) {
        const Option::Description& rules = option.description();
        return (rules.choices.empty() && rules.range == Option::Description::Range::none) ||
               acceptsValue(rules, text);
    }
    bool exclusiveAllows(const Option& option, std::string_view written);
    /// Keeps `written`, the word that named the configuration file's option,
    /// which an error about the file names. Out of line, as `storedChecked`.
    CONKIT_NOINLINE void keepConfigWord(std::string_view written) {
        configWord = state.results.kept(written);
    }
    /// The error for `text` given to `option`, from the command line (by the
    /// option word `written`) or from `from` (see `fallback`); `program`
    /// begins the line.
    bool invalidValue(const Option& option, std::string_view text, std::string_view written,
                      std::string_view from, std::string_view program);
    /// What a value must be, in brackets, when `text` breaks `rules`: its
    /// choices (with a suggestion when one is close) or its range.
    static std::string expectedValue(const Rules& rules, std::string_view text);
    bool finishSlowly(const CommandWords& words);
    bool runCommand(const CommandWords& words);
    /// The command `help` of a tool: the words after it name the commands
    /// whose help is asked for.
    bool answerHelpCommand(const CommandWords& words);
    /// Shares the positional words out among the operands and, when
    /// `checked`, fails on a missing or extra operand or an invalid word.
    bool operandsAccepted(bool checked);
    /// Reads the environment variable of option `index`, which the command
    /// line did not name; unless `checked`, a value it refuses is passed over.
    bool readEnvironment(std::uint32_t index, bool checked);
    /// True when this parse or the command it chose asked for help or
    /// version, or a tool's parse for a completion script or its man page.
    [[nodiscard]] static bool helpOrVersionAsked(const ParserState& asked);

    ParserState& state;
    bool excused;
    bool hasCommands;
    /// The index of the word that names a command, or 0.
    std::size_t commandAt = 0;
    /// The configuration file this parser takes entries from, or nullptr;
    /// the option that names the file, and the word that named it, kept
    /// with the parse's texts.
    const ConfigScope* configScope;
    std::uint32_t configOption;
    Span configWord;
};

/// Parses `given` with the classic rules.
bool parseClassic(const CommandWords& given, ParseRun& run);

/// Parses `words` with the gnu rules; with `stopAtFirstArgument`, the first
/// positional word ends the options.
/// "@FILE" words replaced as the run reads response files, `words` viewing
/// the words in the end.
bool parseGnu(CommandWords& words, bool stopAtFirstArgument, ParseRun& run);

/// Parses `words` into `parser`. `program` names the program of a command's
/// parse; nullptr takes it from word 0, as a command line's parse does. With
/// `excused`, nothing is required of it; `config` as for ParseRun.
bool parseWords(OptionParser& parser, const CommandWords& words, const std::string* program,
                bool excused, const ConfigScope* config);

} // namespace conkit::detail
