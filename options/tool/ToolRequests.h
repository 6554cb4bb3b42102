// The options through which a tool made by OptionParser::tool is asked for
// what it presents rather than does: the one place their names are written.
#pragma once

#include <string_view>

namespace conkit::detail {

/// --completion=SHELL: the completion script. Excuses every check.
inline constexpr std::string_view completionOption = "completion";
/// --man-page: the man page. Excuses every check.
inline constexpr std::string_view manPageOption = "man-page";
/// --completion-request=SHELL -- WORD...: a completion script asking for
/// the candidates only the program knows.
inline constexpr std::string_view completionRequestOption = "completion-request";

} // namespace conkit::detail
