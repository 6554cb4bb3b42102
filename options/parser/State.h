// What a parser holds: its table, its commands, its settings and texts, the
// name index of its table and the results of its latest parse.
#pragma once

#include "options/OptionParser.h"
#include "options/sources/ConfigFile.h"
#include "options/table/Names.h"
#include "options/sources/ResponseFiles.h"
#include "options/parse/Results.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace conkit::detail {

/// A sub-command: its name, its help and its parser.
struct Command {
    std::string name;
    std::string help;
    OptionParser parser;
    bool chosen = false;
};

/// The names an option had when it was handed out for change, and whether
/// it was hidden (a hidden option's names take no part in abbreviation).
struct NamesSeen {
    std::uint32_t option = 0;
    char shortName = '\0';
    bool negatable = false;
    bool needArg = false;
    bool hidden = false;
    std::string longName;
    std::vector<std::string> aliases;

    [[nodiscard]] bool sameAs(const Option& now) const noexcept {
        return now.shortName == shortName && now.description().negatable == negatable &&
               now.needArg == needArg && now.description().hidden == hidden &&
               now.longName == longName && now.description().aliases == aliases;
    }
};

struct ParserState {
    /// @name Settings and texts
    /// @{
    std::string usage;
    std::string version;
    std::string description;
    std::string footer;
    /// The program name set by setProgramName; "" for word 0's base name.
    std::string programName;
    std::size_t helpWidth = 80;
    Syntax syntax = Syntax::classic;
    bool stopAtFirstArgument = false;
    bool responseFiles = false;
    bool commandRequired = false;
    /// Made by OptionParser::tool: answers `help` as a command and takes
    /// --completion and --man-page as requests that excuse every check.
    bool tool = false;
    /// A tool's parser or one of its commands: each command added gets the
    /// tool's -h/--help, and help or version leaves the environment unread.
    bool toolLevel = false;
    std::ostream* errorOutput = nullptr;
    OptionParser::Environment environment = nullptr;
    ConfigSetting configFile;
    /// @}

    /// @name The table
    /// @{
    Table table;
    std::list<Command> commands;
    /// The operands, in order of declaration; ignored when there are commands.
    std::list<OptionParser::Operand> operands;
    /// What describe() hands out for a name no option has.
    Option scratch;
    /// Names given to describe() or exclusive() that no option had.
    std::vector<std::string> unknownNames;
    std::size_t groupCount = 0;
    bool helpNotAdded = false;
    bool versionNotAdded = false;
    /// @}

    /// The latest parse's results.
    Results results;
    /// The words of the latest parse that read a response file.
    ResponseWords responseWords;
    /// The program name help, errors and scripts show.
    [[nodiscard]] const std::string& program() const noexcept {
        return programName.empty() ? results.program : programName;
    }
    /// Clears the results of this parser and its commands, as a parse does first.
    void clearResults();

    /// @name The name index: a cache of what the table's names read as
    /// Options change only through a reference handed out by findOption or
    /// describe; the index is current while every option handed out keeps
    /// the names it had when the index last looked.
    /// @{
    /// True when the index reads the table as it is.
    [[nodiscard]] bool indexCurrent() const noexcept {
        return indexed == table.size() && (namesSeen.empty() || namesKept());
    }
    /// True when every option handed out keeps the names the index saw.
    [[nodiscard]] bool namesKept() const noexcept;
    /// Makes the index current.
    void refreshIndex() {
        if (!indexCurrent()) {
            readIndexAgain();
        }
    }
    void readIndexAgain();
    /// Calls `use(names)` with names that read the table as it is: the
    /// index when it is current, else a reading made for the call.
    template <class Use> decltype(auto) withNames(Use use) const {
        if (indexCurrent()) {
            return use(index);
        }
        return use(Names(table));
    }
    /// A copy of names that read the table as it is, for code that reads
    /// many names outside a parse.
    [[nodiscard]] Names currentNames() const { return indexCurrent() ? index : Names(table); }
    /// Records that option `option` was handed out for change.
    void handOut(std::uint32_t option);
    /// Adds the last option of the table to the index.
    void indexAdded();

    Names index;
    /// How many options of the table the index has read.
    std::size_t indexed = 0;
    /// The options handed out for change, and their names as the index saw them.
    std::vector<std::uint32_t> handedOut;
    std::vector<NamesSeen> namesSeen;
    /// The options that had required() or env() when the index was built.
    std::vector<std::uint32_t> describedAfter;
    /// Those and the options handed out that have either now, in order of
    /// definition: what a parse checks once the command line is read.
    std::vector<std::uint32_t> checkedAfter;
    /// Gathers `checkedAfter` for a parse: anew when options were handed out
    /// (they may have been described since) or the index was read afresh.
    void gatherCheckedAfter() {
        if (!handedOut.empty() || checkedAfter.size() != describedAfter.size()) {
            gatherCheckedAfterAgain();
        }
    }
    void gatherCheckedAfterAgain();
    /// @}
};

} // namespace conkit::detail
