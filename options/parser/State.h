// What a parser holds: the part each layer owns, and where a command finds
// the settings it takes from its parent.
#pragma once

#include "options/OptionParser.h"
#include "options/messages/Texts.h"
#include "options/parse/Results.h"
#include "options/sources/Settings.h"
#include "options/table/TableState.h"

#include <iosfwd>
#include <iterator>
#include <optional>
#include <string>

namespace conkit::detail {

class ParseRun;
class CommandWords;

struct ParserState {
    /// The latest parse; first, where a parse's stores reach it in the
    /// fewest instructions.
    Results results;
    /// What the tool declared.
    TableState table;
    /// Where values come from besides the command line.
    SourceSettings sources;
    /// Where error lines go.
    std::ostream* errorOutput = nullptr;
    /// The width the gnu help wraps at (0 reads COLUMNS, `fitsTerminal` a
    /// tool's rule), and when printed help is coloured: what this parser was
    /// given; a tool's command follows its tool where it was given nothing.
    static constexpr std::size_t fitsTerminal = static_cast<std::size_t>(-1);
    std::optional<std::size_t> helpWidth;
    std::optional<ColourMode> colour;
    /// Made by OptionParser::tool (or a command of such a parser): help or
    /// version leaves the environment unread, and a failed parse is
    /// followed by the Try line.
    bool tool = false;
    /// What setTranslator gave this parser; nullptr: its parent's.
    Translator translator = nullptr;
    /// What a parse does with a word that names none of the commands, in
    /// place of failing: a tool answers `help` (tool/HelpCommand.cpp).
    bool (*commandFallback)(ParseRun& run, const CommandWords& words) = nullptr;

    /// The parser this one is a command of, and the word that names it;
    /// nullptr for a parser of its own.
    const ParserState* parent = nullptr;
    std::string commandName;
    /// While this parser parses the words of a command its parent's parse
    /// chose, the results that keep that parse's warnings; else nullptr.
    Results* warningsTo = nullptr;

    ParserState() = default;
    /// A copy: its commands are the copy's, and a command copied alone keeps
    /// what it took from its parent.
    ParserState(const ParserState& other);
    ParserState& operator=(const ParserState&) = delete;
    ~ParserState() = default;

    /// @name What a command takes from the parser at the top
    /// @{
    [[nodiscard]] const ParserState& root() const noexcept {
        return parent == nullptr ? *this : parent->root();
    }
    [[nodiscard]] Syntax syntax() const noexcept { return root().table.syntax; }
    [[nodiscard]] bool responseFiles() const noexcept {
        return syntax() == Syntax::gnu && root().sources.responseFiles;
    }
    [[nodiscard]] std::ostream* errors() const noexcept { return root().errorOutput; }
    [[nodiscard]] OptionParser::Environment environment() const noexcept {
        return root().sources.environment;
    }
    [[nodiscard]] bool isTool() const noexcept { return root().tool; }
    [[nodiscard]] std::size_t widthSetting() const noexcept {
        return helpWidth ? *helpWidth : isTool() ? *root().helpWidth : 80;
    }
    [[nodiscard]] ColourMode colourSetting() const noexcept {
        return colour ? *colour : isTool() ? *root().colour : ColourMode::never;
    }
    /// The texts in the translation of the nearest parser, this one or a
    /// parent, that was given one.
    [[nodiscard]] Texts texts() const noexcept {
        const ParserState* at = this;
        while (at->translator == nullptr && at->parent != nullptr) {
            at = at->parent;
        }
        return Texts(at->translator);
    }
    /// @}

    /// The command the latest parse chose, or nullptr.
    [[nodiscard]] const Command* chosenCommand() const noexcept {
        if (results.chosen == Results::noCommand) {
            return nullptr;
        }
        auto command = table.commands.begin();
        std::advance(command, static_cast<std::ptrdiff_t>(results.chosen));
        return &*command;
    }
    /// The program name help, errors and scripts show: the one set, else
    /// for a command "PROG NAME", else the latest parse's word 0 base name.
    [[nodiscard]] std::string program() const;
    /// Clears the results of this parser and its commands, as a parse does first.
    void clearResults() {
        results.clear(table.options, table.handedOut());
        if (!table.commands.empty()) {
            clearCommands();
        }
    }
    void clearCommands();
};

/// The state behind a parser, for the library's own code.
struct ParserAccess {
    static ParserState& of(OptionParser& parser) noexcept { return *parser.held; }
    static const ParserState& of(const OptionParser& parser) noexcept { return *parser.held; }
    /// What describes `option`, to change.
    static Option::Description& described(Option& option) noexcept { return option.described; }
    /// True when a value of `option` must pass choices, a range or a check.
    static bool checksValues(const Option& option) noexcept { return option.valuesChecked; }
};

/// Adds to `parser` an option the library adds, whose help is the text
/// `help` of the catalogue (shown in the parser's language); false when its
/// names were taken.
bool addBuiltIn(OptionParser& parser, char shortName, const std::string& longName, bool needArg,
                MessageId help);

} // namespace conkit::detail
