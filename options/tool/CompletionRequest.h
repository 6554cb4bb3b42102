// The completion scripts' request for the values only the program knows:
// `PROG --completion-request=SHELL -- WORD...`.
#pragma once

#include "options/OptionParser.h"
#include "options/tool/ToolRequests.h"

#include <iosfwd>
#include <optional>

namespace conkit::detail {

/// When `argv` is a completion request and `parser` takes one, prints the
/// candidates for its last word on `out`, one per line, and returns 0;
/// else returns nothing and reads nothing.
std::optional<int> answerCompletionRequest(const OptionParser& parser, int argc,
                                           const char* const* argv, std::ostream& out);

} // namespace conkit::detail
