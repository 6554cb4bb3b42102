// Search for a run of bytes. Internal: not installed.
#pragma once

#include "slices/Tokenizers.h"
#include "slices/detail/ByteSearch.h"

#include <cstring>

namespace conkit::detail {

/// Plain scan: the first k with k + `count` <= `size` where the `count` bytes
/// at `sought` stand at `text` + k, compared byte for byte; `notFound` when
/// there is none. `count` is at least 1.
inline std::size_t findTextScalar(const char* text, std::size_t size, const char* sought,
                                  std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    for (std::size_t k = 0; k + count <= size; ++k) {
        if (text[k] == sought[0] && std::memcmp(text + k, sought, count) == 0) {
            return k;
        }
    }
    return notFound;
}

/// Plain scan: the last such k, or `notFound`. `count` is at least 1.
inline std::size_t findLastTextScalar(const char* text, std::size_t size, const char* sought,
                                      std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    for (std::size_t k = size - count + 1; k-- != 0;) {
        if (text[k] == sought[0] && std::memcmp(text + k, sought, count) == 0) {
            return k;
        }
    }
    return notFound;
}

// `findText` (declared with the tokenizers, which call it inline) has the same
// result as `findTextScalar`, 32 candidates at a time.

/// Same result as `findLastTextScalar`, 32 candidates at a time.
std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept;

} // namespace conkit::detail
