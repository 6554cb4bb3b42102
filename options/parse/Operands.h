// Operands: how the positional words of a parse are shared out among the
// operands a parser declares.
#pragma once

#include "options/parse/Results.h"
#include "options/table/TableState.h"

#include <cstddef>
#include <list>
#include <vector>

namespace conkit::detail {

/// The words each of `operands` takes from `words` positional words, in
/// order: a required operand one, an optional one one when more words are
/// left than the operands after it need, a repeated one every word left but
/// those (at least one when it is required). Words past the last share are
/// taken by no operand.
std::vector<OperandWords> shareWords(const std::list<Operand>& operands, std::size_t words);

/// The words each of `operands` takes from the `words` positional words
/// before a completion's cursor: from the left, one each, a repeated one
/// every word left, as completion counts places.
std::vector<OperandWords> shareWordsFromLeft(const std::list<Operand>& operands, std::size_t words);

} // namespace conkit::detail
