// A parser's state: copying it, the program name, and clearing results.
#include "options/parser/State.h"

namespace conkit::detail {

ParserState::ParserState(const ParserState& other)
    : results(other.results), table(other.table), sources(other.sources),
      errorOutput(other.errors()), helpWidth(other.widthSetting()), colour(other.colourSetting()),
      tool(other.isTool()), translator(other.texts().translator()), commandName(other.commandName) {
    // A command copied alone becomes a parser of its own with what it took.
    table.syntax = other.syntax();
    sources.responseFiles = other.root().sources.responseFiles;
    sources.environment = other.environment();
    for (Command& command : table.commands) {
        ParserAccess::of(command.parser).parent = this;
    }
    static_cast<void>(table.names()); // a rename before the copy is seen at once
}

std::string ParserState::program() const {
    if (!table.programName.empty()) {
        return table.programName;
    }
    if (parent != nullptr) {
        return parent->program() + " " + commandName;
    }
    return results.program;
}

void ParserState::clearCommands() {
    for (Command& command : table.commands) {
        ParserAccess::of(command.parser).clearResults();
    }
}

} // namespace conkit::detail
