// A parser as the presentation and the checks read it: read-only, with the
// settings that apply to it (a command's taken from its parent).
#pragma once

#include "options/parser/State.h"

#include <string>

namespace conkit::detail {

class ParserView {
public:
    explicit ParserView(const ParserState& viewed) noexcept : state(&viewed) {}

    [[nodiscard]] const TableState& table() const noexcept { return state->table; }
    /// The names of the table as they are now.
    [[nodiscard]] const Names& names() const { return state->table.names(); }
    [[nodiscard]] Syntax syntax() const noexcept { return state->syntax(); }
    [[nodiscard]] bool responseFiles() const noexcept { return state->responseFiles(); }
    [[nodiscard]] std::string program() const { return state->program(); }
    [[nodiscard]] std::size_t helpWidth() const noexcept { return state->widthSetting(); }
    [[nodiscard]] ColourMode colour() const noexcept { return state->colourSetting(); }
    /// True for a tool (or one of its commands), whose help takes its text's
    /// paragraphs as paragraphs.
    [[nodiscard]] bool isTool() const noexcept { return state->isTool(); }
    [[nodiscard]] OptionParser::Environment environment() const noexcept {
        return state->environment();
    }
    [[nodiscard]] const ConfigSetting& configFile() const noexcept {
        return state->sources.configFile;
    }
    [[nodiscard]] Texts texts() const noexcept { return state->texts(); }
    /// The view of `command`, a command of this parser.
    [[nodiscard]] static ParserView of(const Command& command) noexcept {
        return ParserView(ParserAccess::of(command.parser));
    }

private:
    const ParserState* state;
};

/// The view of `state`.
inline ParserView viewOf(const ParserState& state) noexcept {
    return ParserView(state);
}

} // namespace conkit::detail
