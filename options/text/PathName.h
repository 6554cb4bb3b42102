// The last component of a path, as a view into it.
#pragma once

#include <string_view>

namespace conkit::detail {

/// The text after the last '/' of `path`, or, only when it holds no '/', after
/// its last '\'; the whole path when it holds neither.
inline std::string_view lastPathComponent(std::string_view path) noexcept {
    // One pass from the end: a '/' ends it at once, a '\\' only counts when no
    // '/' comes before it.
    std::size_t start = 0;
    for (std::size_t at = path.size(); at != 0; --at) {
        if (path[at - 1] == '/') {
            return path.substr(at);
        }
        if (path[at - 1] == '\\' && start == 0) {
            start = at;
        }
    }
    return path.substr(start);
}

} // namespace conkit::detail
