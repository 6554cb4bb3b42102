// What a tool declares to a parser: its options, operands and commands, its
// texts and rules, and the name index that finds an option by what a user
// types.
#pragma once

#include "options/OptionParser.h"
#include "options/table/Names.h"
#include "options/table/OptionTable.h"
#include "slices/detail/Hints.h"

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <vector>

namespace conkit::detail {

using Operand = OptionParser::Operand;

/// A sub-command: its name, its help and its parser.
struct Command {
    std::string name;
    std::string help;
    OptionParser parser;
};

/// The table of one parser.
class TableState {
public:
    /// @name Options
    /// @{
    Table options;
    /// The operands, in order of declaration; ignored when there are commands.
    std::list<Operand> operands;
    std::list<Command> commands;
    /// What describe() hands out for a name no option has.
    Option scratch;
    /// Names given to describe() or exclusive() that no option had.
    std::vector<std::string> unknownNames;
    std::size_t groupCount = 0;
    /// The options besides help and version that ask for an answer instead
    /// of setting something: they excuse every check, and a configuration
    /// file cannot set them.
    std::vector<std::uint32_t> requests;
    bool helpNotAdded = false;
    bool versionNotAdded = false;
    /// @}

    /// @name Texts and rules
    /// @{
    std::string usage;
    std::string version;
    std::string description;
    std::string footer;
    /// The program name setProgramName gave; "" for none.
    std::string programName;
    /// For a command's parser, what setDeprecated gave: the advice of its
    /// warning.
    std::optional<std::string> deprecated;
    /// The parser's own syntax; a command follows its parent's (State.h).
    Syntax syntax = Syntax::classic;
    bool stopAtFirstArgument = false;
    bool commandRequired = false;
    /// @}

    /// @name Finding options by name
    /// The index is a cache: a hit is checked against the option's own name,
    /// and a miss reads the table again when it has changed, then looks once
    /// more. Only options handed out for change can change without the
    /// index seeing it, so only they are compared.
    /// @{
    /// findOption's rule for `name`; Names::none when no option has it.
    [[nodiscard]] std::uint32_t find(std::string_view name) const {
        // "-x" is found inline when the short name still holds.
        if (name.size() == 1 && index.shortNamesFirst()) {
            const std::uint32_t found = index.findShort(name[0]);
            if (found != Names::none && options[found].shortName == name[0]) {
                return found;
            }
        }
        return findAgain(name);
    }
    /// The option with long name or alias `name`, or Names::none.
    [[nodiscard]] std::uint32_t findLong(std::string_view name) const {
        const std::uint32_t found = index.findLong(name, Current{options});
        return found != Names::none || !reread() ? found : index.findLong(name, Current{options});
    }
    /// The option short name `c` names, or Names::none.
    [[nodiscard]] std::uint32_t findShort(char c) const {
        const std::uint32_t found = index.findShort(c, Current{options});
        return found != Names::none || !reread() ? found : index.findShort(c, Current{options});
    }
    /// What `word`, typed after "--", names under the gnu rule.
    [[nodiscard]] Names::Reading read(std::string_view word) const {
        if (const Names::Entry* entry = index.exactly(word, Current{options})) {
            return {entry, 1};
        }
        return readSlowly(word);
    }
    /// The names as the options have them now, for a parse or anything that
    /// reads many: the index once it has compared the options handed out.
    [[nodiscard]] const Names& names() const {
        if (!changeable.empty() || seen.size() != options.size()) {
            reread();
        }
        return index;
    }
    /// True when `candidate` clashes with an option of the table (Names.h).
    [[nodiscard]] bool clashes(const Option& candidate) const;
    /// Records that option `option` was handed out for change: a parse
    /// clears its found flag and checks what it was described with, and the
    /// index compares its names.
    void handOut(std::uint32_t option);
    /// The options handed out for change, in order of definition.
    [[nodiscard]] const std::vector<std::uint32_t>& handedOut() const noexcept {
        return changeable;
    }
    /// Adds `option` to the table and to the index.
    void add(Option option);
    /// @}

private:
    /// Compares a typed text with an option's name as it is now.
    struct Current {
        const Table& options;
        bool operator()(const Names::Entry& entry, std::string_view typed) const noexcept {
            if (CONKIT_LIKELY(entry.kind == Names::Kind::longName)) {
                return sameText(options[entry.option].longName, typed);
            }
            return otherName(options[entry.option], entry, typed);
        }
        bool shortName(std::uint32_t option, char c) const noexcept {
            return options[option].shortName == c;
        }
        /// `operator()` for an alias or a "no-" form. Out of line: the
        /// lookups of a parse are nearly all of long names.
        CONKIT_NOINLINE static bool otherName(const Option& option, const Names::Entry& entry,
                                              std::string_view typed) noexcept;
    };
    /// The names the index read for one option.
    struct Read {
        std::uint32_t longName = 0; // its entry
        std::uint32_t aliases = 0;  // how many follow it
        std::uint32_t deprecatedAliases = 0;
        char shortName = '\0';
        bool negated = false;
        bool hidden = false; // or deprecated: its names are typed whole only
    };
    /// `find` for a long name, or a short one the index no longer holds.
    /// Out of line, as the short-name case is the one a parse's loop wants.
    CONKIT_NOINLINE std::uint32_t findAgain(std::string_view name) const;
    /// `read` for a word that is no name the index holds: an abbreviation,
    /// or a name the options have now and the index has not read.
    CONKIT_NOINLINE Names::Reading readSlowly(std::string_view word) const;
    /// `find` for a name the index finds no long name or alias for: a short
    /// name, or a name the options have now and the index has not read.
    CONKIT_NOINLINE std::uint32_t findSlowly(std::string_view name) const;
    /// Reads the table again when an option handed out has other names than
    /// the index read, or options were added past it; true when it did.
    bool reread() const;
    /// What the index reads for `option`, whose long name is entry `first`.
    static Read namesOf(const Option& option, std::uint32_t first);

    mutable Names index;
    mutable std::vector<Read> seen;
    std::vector<std::uint32_t> changeable;
};

} // namespace conkit::detail
