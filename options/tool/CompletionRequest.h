// The completion scripts' request for the values only the program knows:
// `PROG --completion-request=SHELL -- WORD...`.
#pragma once

#include "options/OptionParser.h"

#include <iosfwd>
#include <optional>

namespace conkit::detail {

/// When `argv` is a completion request and `parser` takes one, prints the
/// candidates for its last word on `out`, one per line, and returns 0;
/// else returns nothing and reads nothing. The words before the last are
/// read as a parse reads them, leniently (ParseRun.h).
std::optional<int> answerCompletionRequest(OptionParser& parser, int argc, const char* const* argv,
                                           std::ostream& out);

} // namespace conkit::detail
