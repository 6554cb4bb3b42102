// What the gnu help and the man page both show of a parser: the facts its
// members gather for them, the blocks its options are shown in, and the
// pieces of an option's entry. Each output formats these pieces its own way.
#pragma once

#include "options/OptionParser.h"
#include "options/table/Names.h"
#include "options/parse/Results.h"

#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

using Option = OptionParser::Option;
using Operand = OptionParser::Operand;

/// A command as the help and the man page list it.
struct CommandFacts {
    std::string_view name;
    std::string_view help;
};

/// What a parser presents besides the options' own records. Only the parser's
/// members read its fields, so they fill this in; the views point into the
/// parser, which outlives the call that uses them.
struct ToolFacts {
    const Table& table;
    const Names& names;
    std::vector<CommandFacts> commands;
    /// The operands the parse shares words out to: none when there are commands.
    std::vector<const Operand::Description*> operands;
    std::string_view description;
    std::string_view footer;
};

/// The name and help of every command of `commands`, in order. A template so
/// that it takes the parser's command list without naming its private type.
template <class Commands> std::vector<CommandFacts> commandFacts(const Commands& commands) {
    std::vector<CommandFacts> facts;
    for (const auto& command : commands) {
        facts.push_back({command.name, command.help});
    }
    return facts;
}

/// What `operands` record, unless there are `commands`, which take the
/// positional words instead.
template <class Operands, class Commands>
std::vector<const Operand::Description*> operandFacts(const Operands& operands,
                                                      const Commands& commands) {
    std::vector<const Operand::Description*> facts;
    if (commands.empty()) {
        for (const auto& operand : operands) {
            facts.push_back(&operand.description());
        }
    }
    return facts;
}

/// The operands' usage forms, each after a blank: " PATTERN [FILE]...".
std::string usageForms(const std::vector<const Operand::Description*>& operands);

/// True when the help lists the operands in a block of their own: when any
/// of them has a help text.
bool operandsExplained(const std::vector<const Operand::Description*>& operands);

/// The options shown under one heading, in definition order.
struct OptionBlock {
    /// The section's title; "" for the options without a section.
    std::string_view title;
    std::vector<const Option*> options;
};

/// The options of `table` that are not hidden, in blocks: first those without
/// a section (when there are any), then one block per section in the order of
/// the section's first shown option.
std::vector<OptionBlock> optionBlocks(const Table& table);

/// The placeholder of `option`'s value in the help, the man page and
/// completion: its value name, else its long name in upper case.
std::string placeholder(const Option& option);

/// A piece of an option's entry, so that each output can set names and
/// placeholders apart.
struct EntryPiece {
    enum class Kind : unsigned char { punctuation, name, placeholder };
    Kind kind;
    std::string text;
};

/// The entry of `option` of `table`, as the gnu syntax shows it: "-x" (when
/// the short name is printable ASCII other than the blank) and the long form
/// ("--NAME=VALUENAME", "--NAME[=VALUENAME]" or "--[no-]NAME"), joined by
/// ", "; or "-x", "-x VALUENAME" or "-x[VALUENAME]" alone for an option
/// defined by its short name only; then, after ", " each, the long forms of
/// the aliases in effect (never with "[no-]"). No indent.
std::vector<EntryPiece> entryPieces(const Table& table, const Names& names, const Option& option);

/// The help of `option` followed by its tags, one blank between each: those
/// that apply, in this order: "[required]", "[possible values: A, B]",
/// "[default: D]" (for an option with a value; D in double quotes when it
/// begins or ends with a blank) and "[env: VARIABLE]".
std::string helpWithTags(const Option& option);
/// The help of `operand` followed by "[possible values: A, B]" when it has
/// choices.
std::string helpWithTags(const Operand::Description& operand);

/// True for the blank and the tab. Not `isBlank`: that inline function of
/// the slices also takes CR and LF, and one name must have one body.
constexpr bool isBlankOrTab(char c) noexcept {
    return c == ' ' || c == '\t';
}

/// `text` without its trailing blanks and tabs.
std::string_view withoutTrailingBlanks(std::string_view text) noexcept;

/// The lines of a paragraph of free text, each without its trailing blanks,
/// and without the empty (or blank) lines at either end; none for a text of
/// blanks and line ends only.
std::vector<std::string_view> paragraphLines(std::string_view text);

/// The help text in the gnu layout; see `OptionParser::helpText`. `usageLine`
/// is the usage text, `program` the program name for the usage line that
/// stands in for an empty one, `width` the columns to wrap at.
std::string gnuHelpText(const ToolFacts& tool, std::string_view usageLine, std::string_view program,
                        std::size_t width);

/// The width the gnu help wraps at for the setting `columns`: that setting,
/// or for 0 the variable COLUMNS read through `environment` (none when it is
/// nullptr) when it is a whole number from 40 to 500, else 80.
std::size_t helpColumns(std::size_t columns, OptionParser::Environment environment);

} // namespace conkit::detail
