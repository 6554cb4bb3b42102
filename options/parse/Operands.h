// Operands: how the positional words of a parse are shared out among the
// operands a parser declares, and how an operand reads in a usage line.
#pragma once

#include "options/OptionParser.h"
#include "options/parse/Results.h"

#include <cstddef>
#include <list>
#include <string>
#include <vector>

namespace conkit::detail {

using Operand = OptionParser::Operand;

/// The words each of `operands` takes from `words` positional words, in
/// order: a required operand one, an optional one one when more words are
/// left than the operands after it need, a repeated one every word left but
/// those (at least one when it is required). Words past the last share are
/// taken by no operand.
std::vector<OperandWords> shareWords(const std::list<Operand>& operands, std::size_t words);

/// How `operand` reads in a usage line: "NAME", "[NAME]", "NAME..." or
/// "[NAME]...".
std::string usageForm(const Operand::Description& operand);

/// How `operand` reads as an entry of the Arguments: block and the man
/// page: its usage form without brackets.
std::string entryForm(const Operand::Description& operand);

} // namespace conkit::detail
