// Finding a command of a parser by the word that names it, whether it is
// deprecated, and the command a mistyped word is close to.
#pragma once

#include "options/messages/Suggestion.h"
#include "options/parser/State.h"

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

/// The advice setDeprecated gave `command`'s parser; nullptr when it is not
/// deprecated. A deprecated command is named by its exact name alone and
/// offered nowhere.
inline const std::string* deprecationOf(const Command& command) noexcept {
    const std::optional<std::string>& advice = ParserAccess::of(command.parser).table.deprecated;
    return advice ? &*advice : nullptr;
}

/// The name of the one command of `commands` close to `word`, else "";
/// deprecated commands are left out.
template <class Commands>
std::string commandSuggestion(const Commands& commands, std::string_view word) {
    CloseMatch close(word);
    for (const Command& candidate : commands) {
        if (deprecationOf(candidate) == nullptr) {
            close.consider(candidate.name);
        }
    }
    return close.found() ? std::string(close.candidate()) : std::string();
}

} // namespace conkit::detail
