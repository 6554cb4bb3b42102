// The shells that completion scripts are written for: one row each, naming
// the shell as --completion=SHELL takes it and the writer of its script.
#pragma once

#include "options/parser/View.h"
#include "options/present/CompletionModel.h"

#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// A shell and the writer of its completion script for a program.
struct Shell {
    std::string_view name;
    std::string (*script)(const CompletionModel& model, const std::string& program);
};

/// The shell named `name`, or nullptr.
const Shell* shellNamed(std::string_view name) noexcept;
/// The names of every shell, in the order of the table.
std::vector<std::string> shellNames();

/// The completion model of `view` and its commands.
CompletionModel completionModel(const ParserView& view);
/// The completion script of `view` for `shell`, completing `program`.
std::string completionScript(const ParserView& view, const Shell& shell,
                             const std::string& program);

} // namespace conkit::detail
