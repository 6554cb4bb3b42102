// How a parser's usage reads, once for the help and the man page alike: the
// usage text with "%prog" replaced, the synopsis made when there is none,
// and the forms of its operands.
#pragma once

#include "options/present/Presentation.h"

#include <string>
#include <string_view>
#include <vector>

namespace conkit::detail {

/// `usage` cut at its first "%prog": the text before it and after it;
/// `marked` is false when it holds none (`after` is then empty).
struct UsageText {
    bool marked = false;
    std::string_view before;
    std::string_view after;
};
UsageText splitUsage(std::string_view usage) noexcept;

/// The usage text `usage` with its first "%prog" replaced by `program`.
std::string usageText(std::string_view usage, std::string_view program);

/// The synopsis of a parser without a usage text: the program's name,
/// "[OPTION]...", then each operand's usage form (or "COMMAND [ARG]..."
/// when it has commands), a blank between each.
std::vector<EntryPiece> synopsis(const ParserView& view, std::string_view program);

/// How `operand` reads as an entry of the Arguments: block and the man
/// page: "NAME", or "NAME..." when it is repeated.
std::string entryForm(const Operand::Description& operand);

} // namespace conkit::detail
