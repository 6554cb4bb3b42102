// What the gnu help and the man page both show of a parser: the blocks its
// options are shown in, the pieces of an option's entry, its tags, and the
// lines of free text. Each output formats these pieces its own way.
#pragma once

#include "options/messages/Texts.h"
#include "options/parser/View.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// The operands a parse shares words out to: none when there are commands,
/// which take the positional words instead.
std::vector<const Operand::Description*> shownOperands(const TableState& table);

/// The commands of `table` that are not deprecated, in the order added.
std::vector<const Command*> shownCommands(const TableState& table);

/// True when the help lists the operands in a block of their own: when any
/// of them has a help text.
bool operandsExplained(const std::vector<const Operand::Description*>& operands);

/// The options shown under one heading, in definition order.
struct OptionBlock {
    /// The section's title; "" for the options without a section.
    std::string_view title;
    std::vector<const Option*> options;
};

/// The options of `table` that are neither hidden nor deprecated, in blocks: first those without
/// a section (when there are any), then one block per section in the order of
/// the section's first shown option.
std::vector<OptionBlock> optionBlocks(const Table& table);

/// The heading of `block`: "Options:" or its title and a colon.
std::string blockHeading(const Texts& texts, const OptionBlock& block);

/// The placeholder of `option`'s value in the help, the man page and
/// completion: its value name, else its long name in upper case.
std::string placeholder(const Option& option);

/// A piece of an entry or a synopsis, so that each output can set names and
/// placeholders apart.
struct EntryPiece {
    enum class Kind : unsigned char { punctuation, name, placeholder };
    Kind kind;
    std::string text;
};

/// The text of `pieces`, as the help shows them.
std::string joined(const std::vector<EntryPiece>& pieces);

/// The entry of `option` of `table`, as the gnu syntax shows it: "-x" (when
/// the short name is printable ASCII other than the blank) and the long form
/// ("--NAME=VALUENAME", "--NAME[=VALUENAME]" or "--[no-]NAME"), joined by
/// ", "; or "-x", "-x VALUENAME" or "-x[VALUENAME]" alone for an option
/// defined by its short name only; then, after ", " each, the long forms of
/// the aliases in effect that are not deprecated (never with "[no-]"). No
/// indent.
std::vector<EntryPiece> entryPieces(const Table& table, const Names& names, const Option& option);

/// The help of `option`: for an option the library adds, its text of the
/// catalogue in `texts`, unless the help was changed.
std::string helpOf(const Texts& texts, const Option& option);

/// The help of `option` followed by its tags, one blank between each: those
/// that apply, in this order: "[required]", "[possible values: A, B]",
/// "[default: D]" (for an option with a value; D in double quotes when it
/// begins or ends with a blank) and "[env: VARIABLE]".
std::string helpWithTags(const Texts& texts, const Option& option);
/// The help of `operand` followed by "[possible values: A, B]" when it has
/// choices.
std::string helpWithTags(const Texts& texts, const Operand::Description& operand);

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

} // namespace conkit::detail
