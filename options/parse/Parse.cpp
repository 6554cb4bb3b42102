// OptionParser: the entry points of parsing, and what every parse does
// whatever its syntax: recording results, checking values, exclusive groups,
// required options, operands and sub-commands.
#include "options/OptionParser.h"

#include "options/parse/Operands.h"
#include "options/parse/ParseRun.h"
#include "options/parse/Sources.h"
#include "options/parser/Commands.h"
#include "options/sources/Environment.h"
#include "options/table/ValueKind.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <utility>

namespace conkit {

namespace {

/// The context of a command line's parse. A constant, so that the parse's
/// copy of it reads no fresh stores of a different size, which the
/// processor could not forward.
constexpr detail::ParseContext commandLine{};

} // namespace

bool OptionParser::parse(int argc, const char* const* argv) {
    // The words end at argc or at a null entry, whichever comes first.
    const std::size_t limit = argv != nullptr && argc > 0 ? static_cast<std::size_t>(argc) : 0;
    const auto count = static_cast<std::size_t>(std::find(argv, argv + limit, nullptr) - argv);
    return detail::parseWords(*held, detail::CommandWords(argv, count), commandLine);
}

bool OptionParser::parse(const std::vector<std::string>& words) {
    return detail::parseWords(*held, detail::CommandWords(words), commandLine);
}

bool OptionParser::parse(const std::string& line) {
    return parse(splitCommandLine(line));
}

namespace detail {

bool parseWords(ParserState& state, const CommandWords& words, const ParseContext& context) {
    state.clearResults();
    if (words.size() == 0) {
        state.results.nameProgram("");
        return false;
    }
    if (state.parent == nullptr) { // a command's name comes from its parent's
        state.results.nameProgramFromPath(words[0]);
    }
    state.results.reserve(words.size());
    state.results.reserveRecords(state.table.options.size());
    ParseRun run(state, context);
    CommandWords read = words; // response files replace words as they are read
    const bool accepted = state.syntax() == Syntax::gnu
                              ? parseGnu(read, state.table.stopAtFirstArgument, run)
                              : parseClassic(read, run);
    const bool finished = accepted && run.finish(read);
    state.results.finish();
    return finished;
}

std::string refusalReason(const Lines& lines, const Rules& rules, std::string_view text) {
    if (!isChoice(rules, text)) {
        CloseMatch close(text);
        for (const std::string& choice : rules.choices) {
            close.consider(choice);
        }
        return lines.choiceReason(joinedChoices(rules),
                                  close.found() ? close.candidate() : std::string_view());
    }
    const auto [min, max] = rangeLimits(rules);
    if (rules.range == Rules::Range::whole && rules.ends == Rules::Ends::lowerOnly) {
        return lines.atLeastReason(min);
    }
    if (rules.range == Rules::Range::whole && rules.ends == Rules::Ends::upperOnly) {
        return lines.atMostReason(max);
    }
    return lines.rangeReason(min, max);
}

bool ParseRun::storedChecked(std::uint32_t index, std::string_view text, std::string_view written) {
    Option& given = writable(index);
    if (!lenient()) {
        const std::string reason = refusal(given.description(), text, [this] { return lines(); });
        if (!reason.empty()) {
            return fail(lines().invalidValue(given.longName, {}, text, written, {}, reason));
        }
    }
    state.results.stored(given, index, text, ValueSource::commandLine);
    return true;
}

void ParseRun::endLeniently(std::uint32_t pending, bool ended, std::string_view namedBy,
                            const CommandWords* words) {
    if (pending != Names::none && words != nullptr && words->size() > 1) {
        const std::string_view last = (*words)[words->size() - 1];
        if (namedBy.data() == last.data() && namedBy.size() == last.size()) {
            state.results.unnamed(writable(pending), pending);
        }
    }
    *setting.line = LineEnd{&state, pending, ended};
}

bool ParseRun::exclusiveAllows(const Option& option, std::string_view written) {
    if (lenient()) {
        return true;
    }
    // Only what this parse wrote can be found.
    for (const std::uint32_t index : state.results.written()) {
        const Option& other = table.options[index];
        if (&other == &option || !other.found) {
            continue;
        }
        for (const std::size_t group : other.description().groups) {
            const std::vector<std::size_t>& mine = option.description().groups;
            if (std::find(mine.begin(), mine.end(), group) != mine.end()) {
                return fail(lines().conflictingOptions(other.longName, option.longName, written));
            }
        }
    }
    return true;
}

bool ParseRun::fail(Failure failure) {
    if (lenient()) {
        return true;
    }
    state.results.failure = std::move(failure);
    if (std::ostream* out = state.errors()) {
        for (const std::string& line : warnings().warnings()) {
            *out << line << '\n';
        }
        *out << state.results.failure.line << std::endl;
    }
    return false;
}

void ParseRun::namedBy(std::uint32_t index, std::string_view name) {
    const Option& option = table.options[index];
    const Option::Description& described = option.description();
    if (described.deprecated) {
        warn(lines().deprecatedOption(option.longName, *described.deprecated));
    } else if (!name.empty() && isDeprecatedAlias(option, name)) {
        warn(lines().deprecatedAlias(name, option.longName));
    }
}

void ParseRun::settleWarnings() {
    const std::vector<std::string> lines = state.results.warnings();
    if (lines.empty()) {
        return;
    }
    if (answerAsked(state)) {
        state.results.dropWarnings();
        return;
    }
    if (std::ostream* out = state.errors()) {
        for (const std::string& line : lines) {
            *out << line << '\n';
        }
        out->flush();
    }
}

bool ParseRun::finishSlowly(const CommandWords& words) {
    // Deprecated names are always described, so a parse that may have
    // warned of one comes here.
    const bool finished = finishChecks(words);
    if (finished && state.warningsTo == nullptr) {
        settleWarnings();
    }
    return finished;
}

bool ParseRun::finishChecks(const CommandWords& words) {
    // The parser that has a configuration file shares it with the command it chooses.
    std::optional<ConfigFile> file;
    if (setting.config == nullptr && state.sources.configFile.reader != nullptr) {
        setting.config = &file.emplace(configFileOf(*this, configOption));
        setting.configOwner = &state;
    }
    if (commandAt != 0 && !chooseCommand(*this, words.from(commandAt))) {
        return false;
    }
    // Help, version or another answer asked for anywhere excuses every check:
    // nothing may keep the answer from the user. A tool does not even read
    // the environment then.
    const bool asked = setting.excused || answerAsked(state);
    const bool checked = !asked && !lenient();
    if (!asked && setting.config != nullptr && !applyConfigFile(*this, *setting.config)) {
        return false;
    }
    // One pass in order of definition: an option's variable is read before
    // it is checked for being required.
    const bool readsEnvironment = !asked || !state.isTool();
    const Option* missing = nullptr;
    for (const std::uint32_t index : table.handedOut()) {
        const Option& option = table.options[index];
        if (readsEnvironment && !readEnvironment(*this, index, checked)) {
            return false;
        }
        if (checked && missing == nullptr && option.description().required &&
            state.results.record(index).from == ValueSource::none) {
            missing = &option;
        }
    }
    if (missing != nullptr) {
        return fail(lines().missingOption(missing->longName));
    }
    if (table.commands.empty() && !table.operands.empty()) {
        return operandsAccepted(checked);
    }
    if (checked && table.commandRequired && commandAt == 0 && !table.commands.empty()) {
        return fail(lines().missingCommand());
    }
    return true;
}

bool chooseCommand(ParseRun& run, const CommandWords& words) {
    const std::string_view word = words[0];
    ParserState& state = run.parser();
    if (Command* command = commandNamed(state.table.commands, word)) {
        return run.runCommand(*command, words);
    }
    if (state.commandFallback != nullptr) {
        return state.commandFallback(run, words);
    }
    return run.fail(
        run.lines().unknownCommand(word, commandSuggestion(state.table.commands, word)));
}

bool ParseRun::runCommand(Command& command, const CommandWords& words) {
    std::size_t place = 0;
    for (const Command& each : table.commands) {
        if (&each == &command) {
            break;
        }
        ++place;
    }
    state.results.chosen = place;
    // Help or version asked for before the command excuses what the command
    // requires, as it excuses what this parser requires.
    ParseContext context;
    context.excused = setting.excused || answerAsked(state);
    context.config = setting.config;
    context.configOwner = setting.configOwner;
    context.line = setting.line;
    if (const std::string* advice = deprecationOf(command)) {
        warn(lines().deprecatedCommand(command.name, *advice));
    }
    ParserState& child = ParserAccess::of(command.parser);
    child.warningsTo = &warnings();
    const bool parsed = parseWords(child, words, context);
    child.warningsTo = nullptr;
    if (parsed) {
        return true;
    }
    // The command has printed its error; this parse repeats it.
    state.results.failure = child.results.failure;
    return false;
}

bool ParseRun::fallback(std::uint32_t index, std::string_view text, std::string_view from,
                        ValueSource source, std::string_view program, bool checked) {
    Option& option = writable(index);
    const bool takesValue = valueKind(option) != ValueKind::none;
    const Rules& rules = option.description();
    const int on = takesValue ? (acceptsValue(rules, text) ? 1 : -1) : switchState(text);
    if (checked) {
        const auto errors = [this, program] { return Lines(texts(), std::string(program)); };
        const std::string reason = !takesValue ? (on < 0 ? errors().switchReason() : std::string())
                                               : refusal(rules, text, errors);
        if (!reason.empty()) {
            return fail(errors().invalidValue(option.longName, {}, text, "--" + option.longName,
                                              from, reason));
        }
    }
    if (on < 0 && (!lenient() || !takesValue)) {
        return true; // passed over; a lenient parse keeps a value unchecked
    }
    if (takesValue) {
        state.results.stored(option, index, text, source);
    } else {
        state.results.switched(option, index, on == 1, source);
    }
    return true;
}

bool ParseRun::answerAsked(const ParserState& asked) {
    const TableState& table = asked.table;
    const auto isSet = [&table](std::uint32_t index) {
        return index != Names::none && table.options[index].found;
    };
    if (isSet(table.find("help")) || isSet(table.find("version")) ||
        std::any_of(table.requests.begin(), table.requests.end(), isSet)) {
        return true;
    }
    const Command* chosen = asked.chosenCommand();
    return chosen != nullptr && answerAsked(ParserAccess::of(chosen->parser));
}

} // namespace detail

} // namespace conkit
