// Finding a command of a parser by the word that names it, and the error
// line for a word that names none.
#pragma once

#include "options/parser/State.h"
#include "options/messages/Suggestion.h"

#include <string>
#include <string_view>

namespace conkit::detail {

/// " (did you mean 'NAME'?)" when exactly one of `commands` is close to
/// `word`, else "".
template <class Commands>
std::string commandSuggestion(const Commands& commands, std::string_view word) {
    CloseMatch close(word);
    for (const Command& candidate : commands) {
        close.consider(candidate.name);
    }
    return close.found() ? " (did you mean '" + std::string(close.candidate()) + "'?)"
                         : std::string();
}

/// The error line of `program` for `word`, which names none of `commands`.
template <class Commands>
std::string unknownCommand(std::string_view program, const Commands& commands,
                           std::string_view word) {
    return std::string(program) + ": unknown command '" + std::string(word) + "'" +
           commandSuggestion(commands, word);
}

/// The command of `commands` named `word`, or nullptr.
template <class Commands>
auto commandNamed(Commands& commands, std::string_view word) -> decltype(&commands.front()) {
    for (auto& candidate : commands) {
        if (candidate.name == word) {
            return &candidate;
        }
    }
    return nullptr;
}

} // namespace conkit::detail
