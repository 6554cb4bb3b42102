// Finding a command of a parser by the word that names it, and the command a
// mistyped word is close to.
#pragma once

#include "options/messages/Suggestion.h"
#include "options/table/TableState.h"

#include <string>
#include <string_view>

namespace conkit::detail {

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

/// The name of the one command of `commands` close to `word`, else "".
template <class Commands>
std::string commandSuggestion(const Commands& commands, std::string_view word) {
    CloseMatch close(word);
    for (const Command& candidate : commands) {
        close.consider(candidate.name);
    }
    return close.found() ? std::string(close.candidate()) : std::string();
}

} // namespace conkit::detail
