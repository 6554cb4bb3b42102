// Small text helpers of the option parser: prefix test, split at a separator,
// last path component.
#pragma once

#include "options/Export.h"

#include <string>

namespace conkit {

/// Returns true when `text` begins with `prefix`, compared byte for byte and
/// case-sensitively. An empty `prefix` always matches; a `prefix` longer than
/// `text` never does.
[[nodiscard]] CONKIT_OPTIONS_API bool startsWith(const std::string& text,
                                                 const std::string& prefix);

/// Cuts `text` at the first `separator`. When there is one, `first` receives
/// the text before it, `second` the text after it, and the result is 2. When
/// there is none, `first` receives the whole text, `second` is emptied, and the
/// result is 1. Both outputs are always overwritten; either may be `text`
/// itself (`splitAt(s, '=', s, rest)` cuts `s` in place).
CONKIT_OPTIONS_API int splitAt(const std::string& text, char separator, std::string& first,
                               std::string& second);

/// Returns the last component of `path`: the text after its last '/', or,
/// only when the path holds no '/' at all, after its last '\'. A path with
/// neither comes back whole; a path ending in its separator gives "".
/// Example: "a/b\\c" gives "b\\c"; "D:\\bin\\demo.exe" gives "demo.exe".
[[nodiscard]] CONKIT_OPTIONS_API std::string baseName(const std::string& path);

} // namespace conkit
