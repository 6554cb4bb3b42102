// OptionParser: the entry points of parsing, and what every parse does
// whatever its syntax: recording results, checking values, exclusive groups,
// environment fallbacks, required options and sub-commands.
#include "options/OptionParser.h"

#include "options/core/ParseRun.h"
#include "options/core/PathName.h"
#include "options/core/Suggestion.h"
#include "options/core/ValueRules.h"

#include "slices/StrSlice.h"

#include <algorithm>
#include <ostream>
#include <utility>

namespace conkit {

bool OptionParser::parse(int argc, const char* const* argv) {
    // The words end at argc or at a null entry, whichever comes first.
    const std::size_t limit = argv != nullptr && argc > 0 ? static_cast<std::size_t>(argc) : 0;
    std::size_t count = 0;
    while (count < limit && argv[count] != nullptr) {
        ++count;
    }
    return parseWords(detail::CommandWords(argv, count),
                      count != 0 ? detail::lastPathComponent(argv[0]) : "");
}

bool OptionParser::parse(const std::vector<std::string>& words) {
    return parseWords(detail::CommandWords(words),
                      words.empty() ? "" : detail::lastPathComponent(words[0]));
}

bool OptionParser::parse(const std::string& line) {
    return parse(splitCommandLine(line));
}

bool OptionParser::parseWords(const detail::CommandWords& words, std::string_view program) {
    // As reset() does; the program name is replaced below.
    const TableTraits traits = clearResults();
    if (words.size() == 0) {
        latest.prog.clear();
        return false;
    }
    // Room for the texts of a usual command line, so that a first parse needs
    // few allocations and later ones none.
    if (latest.text.size() < 16 * words.size()) {
        latest.text.resize(16 * words.size());
    }
    latest.arguments.reserve(words.size());
    detail::ParseRun run(*this, traits);
    run.setProgram(program);
    const bool accepted = syntaxRules == Syntax::gnu
                              ? detail::parseGnu(words, stopAtFirstArgument, run)
                              : detail::parseClassic(words, run);
    return accepted && run.finish(words);
}

namespace detail {

namespace {

/// What a valued option's value must be, in brackets, with a suggestion when
/// one choice is close to `text`.
std::string expected(const Option& option, std::string_view text) {
    const Option::Description& rules = option.description();
    if (!isChoice(rules, text)) {
        std::string line = " (choose from ";
        CloseMatch close(text);
        for (const std::string& choice : rules.choices) {
            line += &choice == &rules.choices.front() ? "" : ", ";
            line += choice;
            close.consider(choice);
        }
        line += ")";
        if (close.found()) {
            line += " (did you mean '" + std::string(close.candidate()) + "'?)";
        }
        return line;
    }
    return " (expected a number from " + rangeText(rules) + ")";
}

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

void ParseRun::grow(std::size_t more) {
    std::string& text = parser.latest.text;
    text.resize(std::max(parser.latest.used + more, 2 * text.size()));
}

bool ParseRun::invalidValue(const Option& option, std::string_view text, std::string_view written,
                            std::string_view variable) {
    std::string line =
        program() + ": invalid value '" + std::string(text) + "' for '--" + option.longName + "'";
    if (!variable.empty()) {
        line += " from " + std::string(variable);
    }
    line += option.needArg ? expected(option, text)
                           : " (expected 1, true, yes, on, 0, false, no or off)";
    return fail(ParseErrorKind::invalidValue, written, std::move(line));
}

bool ParseRun::exclusiveAllows(const Option& option, std::string_view written) {
    for (const Option& other : parser.table) {
        if (&other == &option || !other.found) {
            continue;
        }
        for (const std::size_t group : other.described.groups) {
            const std::vector<std::size_t>& mine = option.described.groups;
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
    OptionParser::Latest& latest = parser.latest;
    latest.errorKind = kind;
    latest.errorWord.assign(optionWord.data(), optionWord.size());
    latest.errorLine = std::move(line);
    if (parser.errorOutput != nullptr) {
        *parser.errorOutput << latest.errorLine << std::endl;
    }
    return false;
}

bool ParseRun::finishSlowly(const CommandWords& words) {
    if (commandAt != 0 && !runCommand(words)) {
        return false;
    }
    // One pass: an option's variable is read before it is checked for being
    // required.
    const Option* missing = nullptr;
    if (traits.has(Traits::checksAfter)) {
        for (Option& option : parser.table) {
            if (!option.described.env.empty() && option.from == ValueSource::none &&
                !readEnvironment(option)) {
                return false;
            }
            if (missing == nullptr && option.described.required &&
                option.from == ValueSource::none) {
                missing = &option;
            }
        }
    }
    const bool commandMissing =
        parser.commandRequired && commandAt == 0 && !parser.commands.empty();
    if ((missing == nullptr && !commandMissing) || helpOrVersionAsked(parser)) {
        return true;
    }
    if (missing != nullptr) {
        return fail(ParseErrorKind::missingOption, "--" + missing->longName,
                    program() + ": option '--" + missing->longName + "' is required");
    }
    return fail(ParseErrorKind::missingCommand, std::string_view(),
                program() + ": missing command");
}

bool ParseRun::runCommand(const CommandWords& words) {
    const std::string_view word = words[commandAt];
    OptionParser::Command* command = nullptr;
    for (OptionParser::Command& candidate : parser.commands) {
        if (sameText(candidate.name, word)) {
            command = &candidate;
            break;
        }
    }
    if (command == nullptr) {
        std::string line = program() + ": unknown command '" + std::string(word) + "'";
        CloseMatch close(word);
        for (const OptionParser::Command& candidate : parser.commands) {
            close.consider(candidate.name);
        }
        if (close.found()) {
            line += " (did you mean '" + std::string(close.candidate()) + "'?)";
        }
        return fail(ParseErrorKind::unknownCommand, word, std::move(line));
    }
    command->chosen = true;
    OptionParser& child = command->parser;
    child.syntaxRules = parser.syntaxRules;
    child.errorOutput = parser.errorOutput;
    child.environment = parser.environment;
    if (child.parseWords(words.from(commandAt), program() + " " + command->name)) {
        return true;
    }
    // The command has printed its error; this parse repeats it.
    parser.latest.errorKind = child.latest.errorKind;
    parser.latest.errorWord = child.latest.errorWord;
    parser.latest.errorLine = child.latest.errorLine;
    return false;
}

bool ParseRun::readEnvironment(Option& option) {
    const std::string& variable = option.described.env;
    const char* set =
        parser.environment != nullptr ? parser.environment(variable.c_str()) : nullptr;
    if (set == nullptr || *set == '\0') {
        return true;
    }
    const std::string_view text(set);
    const std::string written = "--" + option.longName;
    if (option.needArg) {
        if (!accepts(option, text)) {
            return invalidValue(option, text, written, variable);
        }
        storeChecked(option, text);
    } else {
        const int state = switchState(text);
        if (state < 0) {
            return invalidValue(option, text, written, variable);
        }
        option.found = state == 1;
    }
    option.from = ValueSource::environment;
    return true;
}

bool ParseRun::helpOrVersionAsked(const OptionParser& asked) {
    const Option* help = asked.lookup("help");
    const Option* version = asked.lookup("version");
    if ((help != nullptr && help->found) || (version != nullptr && version->found)) {
        return true;
    }
    const OptionParser* command = asked.commandParser();
    return command != nullptr && helpOrVersionAsked(*command);
}

} // namespace detail

} // namespace conkit
