// The command `help` of a tool, which no table shows: the words after it
// name the commands whose help is asked for.
#include "options/tool/HelpCommand.h"

#include "options/parser/Commands.h"

#include <string>
#include <vector>

namespace conkit::detail {

bool answerHelpCommand(ParseRun& run, const CommandWords& words) {
    ParserState& state = run.parser();
    if (words[0] != "help") {
        return run.fail(run.lines().unknownCommand(
            words[0], commandSuggestion(state.table.commands, words[0])));
    }
    // "help A B" asks what "A B --help" asks, once every word names a command
    // of the one before it. Option words ("--help", "-h") name no command.
    const ParserState* asked = &state;
    std::string askedProgram = run.program();
    std::vector<std::string> path;
    for (std::size_t at = 1; at < words.size(); ++at) {
        const std::string_view word = words[at];
        if (word.size() > 1 && word[0] == '-') {
            continue;
        }
        if (asked->table.commands.empty()) {
            return run.fail(run.lines().extraOperand(word));
        }
        const Command* found = commandNamed(asked->table.commands, word);
        if (found == nullptr) {
            return run.fail(
                Lines(run.texts(), askedProgram)
                    .unknownCommand(word, commandSuggestion(asked->table.commands, word)));
        }
        asked = &ParserAccess::of(found->parser);
        askedProgram += " " + found->name;
        path.emplace_back(word);
    }
    if (path.empty()) {
        const std::uint32_t help = state.table.find("help");
        return help == Names::none || run.named(help, "--help");
    }
    path.emplace_back("--help");
    return run.runCommand(*commandNamed(state.table.commands, path.front()), CommandWords(path));
}

} // namespace conkit::detail
