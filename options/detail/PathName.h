// The last component of a path, as a view into it.
#pragma once

#include <string_view>

namespace conkit::detail {

/// The text after the last '/' of `path`, or, only when it holds no '/', after
/// its last '\'; the whole path when it holds neither.
inline std::string_view lastPathComponent(std::string_view path) noexcept {
    std::string_view::size_type at = path.rfind('/');
    if (at == std::string_view::npos) {
        at = path.rfind('\\');
    }
    return at == std::string_view::npos ? path : path.substr(at + 1);
}

} // namespace conkit::detail
