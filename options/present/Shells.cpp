// The table of shells. A new shell is a writer in a file of its own (beside
// BashCompletion.cpp) and a row here; --completion=SHELL and the completion
// request take every shell of the table.
#include "options/present/Shells.h"

#include <iterator>

namespace conkit::detail {

// The writers, each in its own file.
std::string bashScript(const CompletionModel& model, const std::string& program);
std::string zshScript(const CompletionModel& model, const std::string& program);
std::string fishScript(const CompletionModel& model, const std::string& program);

namespace {

constexpr Shell shells[] = {
    {"bash", bashScript},
    {"zsh", zshScript},
    {"fish", fishScript},
};

} // namespace

const Shell* shellNamed(std::string_view name) noexcept {
    for (const Shell& shell : shells) {
        if (shell.name == name) {
            return &shell;
        }
    }
    return nullptr;
}

std::vector<std::string> shellNames() {
    std::vector<std::string> names;
    for (const Shell& shell : shells) {
        names.emplace_back(shell.name);
    }
    return names;
}

} // namespace conkit::detail
