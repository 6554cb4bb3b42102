// OptionParser: the entry points of parsing, and what every parse does
// whatever its syntax: recording results, checking values, exclusive groups,
// the configuration file, environment fallbacks, required options and
// sub-commands.
#include "options/OptionParser.h"

#include "options/table/Commands.h"
#include "options/parse/ParseRun.h"
#include "options/messages/Suggestion.h"
#include "options/tool/ToolRequests.h"
#include "options/table/ValueRules.h"

#include "slices/StrSlice.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <utility>

namespace conkit {

bool OptionParser::parse(int argc, const char* const* argv) {
    // The words end at argc or at a null entry, whichever comes first.
    const std::size_t limit = argv != nullptr && argc > 0 ? static_cast<std::size_t>(argc) : 0;
    const auto count = static_cast<std::size_t>(std::find(argv, argv + limit, nullptr) - argv);
    return detail::parseWords(*this, detail::CommandWords(argv, count), nullptr, false, nullptr);
}

bool OptionParser::parse(const std::vector<std::string>& words) {
    return detail::parseWords(*this, detail::CommandWords(words), nullptr, false, nullptr);
}

bool OptionParser::parse(const std::string& line) {
    return parse(splitCommandLine(line));
}

namespace detail {

bool parseWords(OptionParser& parser, const CommandWords& words, const std::string* program,
                bool excused, const ConfigScope* config) {
    ParserState& state = parser.state();
    state.refreshIndex();
    state.gatherCheckedAfter();
    state.clearResults();
    if (words.size() == 0) {
        state.results.nameProgram("");
        return false;
    }
    if (!state.programName.empty()) {
        state.results.nameProgram(state.programName);
    } else if (program != nullptr) {
        state.results.nameProgram(*program);
    } else {
        state.results.nameProgramFromPath(words[0]);
    }
    state.results.reserve(words.size());
    ParseRun run(state, excused, config);
    CommandWords read = words; // response files replace words as they are read
    const bool accepted = state.syntax == Syntax::gnu
                              ? parseGnu(read, state.stopAtFirstArgument, run)
                              : parseClassic(read, run);
    const bool finished = accepted && run.finish(read);
    state.results.finish();
    return finished;
}

std::string ParseRun::expectedValue(const Rules& rules, std::string_view text) {
    if (!isChoice(rules, text)) {
        std::string line = " (choose from " + joinedChoices(rules) + ")";
        CloseMatch close(text);
        for (const std::string& choice : rules.choices) {
            close.consider(choice);
        }
        if (close.found()) {
            line += " (did you mean '" + std::string(close.candidate()) + "'?)";
        }
        return line;
    }
    return " (expected a number from " + rangeText(rules) + ")";
}

namespace {

/// What an environment variable says of an option without a value: 1 for
/// on, 0 for off, -1 for neither.
int switchState(std::string_view text) {
    const auto is = [text](std::string_view word) {
        return StrSlice(text.data(), static_cast<std::uint32_t>(text.size()))
            .equalsNoCase(StrSlice(word.data(), static_cast<std::uint32_t>(word.size())));
    };
    if (text.size() > 5) {
        return -1;
    }
    if (is("1") || is("true") || is("yes") || is("on")) {
        return 1;
    }
    return is("0") || is("false") || is("no") || is("off") ? 0 : -1;
}

} // namespace

bool ParseRun::invalidValue(const Option& option, std::string_view text, std::string_view written,
                            std::string_view from, std::string_view program) {
    std::string line = std::string(program) + ": invalid value '" + std::string(text) +
                       "' for '--" + option.longName + "'";
    if (!from.empty()) {
        line += " from " + std::string(from);
    }
    line += option.needArg ? expectedValue(option.description(), text)
                           : " (expected 1, true, yes, on, 0, false, no or off)";
    return fail(ParseErrorKind::invalidValue, written, std::move(line));
}

bool ParseRun::storedChecked(std::uint32_t index, std::string_view text, std::string_view written) {
    Option& given = option(index);
    if (!accepts(given, text)) {
        return invalidValue(given, text, written, std::string_view(), program());
    }
    state.results.stored(given, index, text, ValueSource::commandLine);
    return true;
}

bool ParseRun::exclusiveAllows(const Option& option, std::string_view written) {
    // Only what this parse wrote can be found.
    for (const std::uint32_t index : state.results.written()) {
        const Option& other = state.table[index];
        if (&other == &option || !other.found) {
            continue;
        }
        for (const std::size_t group : other.description().groups) {
            const std::vector<std::size_t>& mine = option.description().groups;
            if (std::find(mine.begin(), mine.end(), group) != mine.end()) {
                return fail(ParseErrorKind::conflictingOptions, written,
                            program() + ": options '--" + other.longName + "' and '--" +
                                option.longName + "' cannot be used together");
            }
        }
    }
    return true;
}

bool ParseRun::fail(ParseErrorKind kind, std::string_view optionWord, std::string line) {
    Results& latest = state.results;
    latest.errorKind = kind;
    latest.errorWord.assign(optionWord.data(), optionWord.size());
    latest.errorLine = std::move(line);
    if (state.errorOutput != nullptr) {
        *state.errorOutput << latest.errorLine << std::endl;
    }
    return false;
}

bool ParseRun::finishSlowly(const CommandWords& words) {
    // The parser that has a configuration file shares it with the command it chooses.
    std::optional<ConfigFile> file;
    ConfigScope own;
    if (configScope == nullptr && state.configFile.reader != nullptr) {
        own.file = &file.emplace(state, configOption, std::string(state.results.text(configWord)));
        configScope = &own;
    }
    if (commandAt != 0 && !runCommand(words)) {
        return false;
    }
    // Help, version or a script asked for anywhere excuses every check:
    // nothing may keep the answer from the user. A tool does not even read
    // the environment then.
    const bool checked = !excused && !helpOrVersionAsked(state);
    const bool readsEnvironment = checked || !state.toolLevel;
    if (checked && configScope != nullptr && !applyConfigFile(*this, state, *configScope)) {
        return false;
    }
    // One pass in order of definition: an option's variable is read before
    // it is checked for being required.
    const Option* missing = nullptr;
    for (const std::uint32_t index : state.checkedAfter) {
        const Option& option = state.table[index];
        const bool unnamed = state.results.record(index).from == ValueSource::none;
        if (readsEnvironment && !option.description().env.empty() && unnamed &&
            !readEnvironment(index, checked)) {
            return false;
        }
        if (checked && missing == nullptr && option.description().required &&
            state.results.record(index).from == ValueSource::none) {
            missing = &option;
        }
    }
    if (missing != nullptr) {
        return fail(ParseErrorKind::missingOption, "--" + missing->longName,
                    program() + ": option '--" + missing->longName + "' is required");
    }
    if (state.commands.empty() && !state.operands.empty()) {
        return operandsAccepted(checked);
    }
    if (checked && state.commandRequired && commandAt == 0 && !state.commands.empty()) {
        return fail(ParseErrorKind::missingCommand, std::string_view(),
                    program() + ": missing command");
    }
    return true;
}

bool ParseRun::runCommand(const CommandWords& words) {
    const std::string_view word = words[commandAt];
    Command* command = commandNamed(state.commands, word);
    if (command == nullptr && state.tool && word == "help") {
        return answerHelpCommand(words);
    }
    if (command == nullptr) {
        return fail(ParseErrorKind::unknownCommand, word,
                    unknownCommand(program(), state.commands, word));
    }
    command->chosen = true;
    ParserState& child = command->parser.state();
    child.syntax = state.syntax;
    child.responseFiles = state.responseFiles;
    child.errorOutput = state.errorOutput;
    child.environment = state.environment;
    ConfigScope shared;
    if (configScope != nullptr) {
        shared.file = configScope->file;
        shared.path =
            configScope->path.empty() ? command->name : configScope->path + " " + command->name;
    }
    // Help or version asked for before the command excuses what the command
    // requires, as it excuses what this parser requires.
    const std::string commandProgram = program() + " " + command->name;
    if (parseWords(command->parser, words.from(commandAt), &commandProgram,
                   excused || helpOrVersionAsked(state),
                   configScope != nullptr ? &shared : nullptr)) {
        return true;
    }
    // The command has printed its error; this parse repeats it.
    state.results.errorKind = child.results.errorKind;
    state.results.errorWord = child.results.errorWord;
    state.results.errorLine = child.results.errorLine;
    return false;
}

bool ParseRun::answerHelpCommand(const CommandWords& words) {
    // "help A B" asks what "A B --help" asks, once every word names a command
    // of the one before it.
    const ParserState* asked = &state;
    std::string askedProgram = program();
    std::vector<std::string> path;
    for (std::size_t at = commandAt + 1; at < words.size(); ++at) {
        const std::string_view word = words[at];
        if (asked->commands.empty()) {
            return fail(ParseErrorKind::extraOperand, word,
                        program() + ": extra operand '" + std::string(word) + "'");
        }
        const Command* found = commandNamed(asked->commands, word);
        if (found == nullptr) {
            return fail(ParseErrorKind::unknownCommand, word,
                        unknownCommand(askedProgram, asked->commands, word));
        }
        asked = &found->parser.state();
        askedProgram += " " + found->name;
        path.emplace_back(word);
    }
    if (path.empty()) {
        const std::uint32_t help = state.index.find("help");
        if (help != Names::none) {
            named(help, "--help");
        }
        return true;
    }
    path.emplace_back("--help");
    const std::size_t helpAt = commandAt;
    commandAt = 0;
    const bool answered = runCommand(CommandWords(path));
    commandAt = helpAt;
    return answered;
}

bool ParseRun::readEnvironment(std::uint32_t index, bool checked) {
    const Option& option = state.table[index];
    const std::string_view text = environmentText(option);
    return text.empty() || fallback(index, text, option.description().env, ValueSource::environment,
                                    program(), checked);
}

std::string_view ParseRun::environmentText(const Option& option) const {
    const std::string& variable = option.description().env;
    const char* set = state.environment != nullptr && !variable.empty()
                          ? state.environment(variable.c_str())
                          : nullptr;
    return set != nullptr ? std::string_view(set) : std::string_view();
}

bool ParseRun::fallback(std::uint32_t index, std::string_view text, std::string_view from,
                        ValueSource source, std::string_view program, bool checked) {
    Option& option = state.table[index];
    const int on = option.needArg ? (accepts(option, text) ? 1 : -1) : switchState(text);
    if (on < 0) {
        return !checked || invalidValue(option, text, "--" + option.longName, from, program);
    }
    if (option.needArg) {
        state.results.stored(option, index, text, source);
        return true;
    }
    state.results.switched(option, index, on == 1, source);
    return true;
}

bool ParseRun::helpOrVersionAsked(const ParserState& asked) {
    const auto isSet = [&asked](std::string_view name) {
        const std::uint32_t index = asked.index.find(name);
        return index != Names::none && asked.table[index].found;
    };
    if (isSet("help") || isSet("version") ||
        (asked.tool && (isSet(completionOption) || isSet(manPageOption)))) {
        return true;
    }
    for (const Command& command : asked.commands) {
        if (command.chosen) {
            return helpOrVersionAsked(command.parser.state());
        }
    }
    return false;
}

} // namespace detail

} // namespace conkit
