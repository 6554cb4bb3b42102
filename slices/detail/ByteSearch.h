// Search for one byte: the C library's memchr (and glibc's memrchr), after a
// look at the first bytes with the kernel table's inline block where its level
// has one, so that the short distances of a tokenizer skip the call; and the
// one class of bytes, blanks, that is looked for as a class. Internal: not
// installed.
#pragma once

#include "slices/detail/Kernels.h"

#include <cstddef>
#include <cstring>

namespace conkit::detail {

/// Result of every internal search when nothing matches.
constexpr std::size_t notFound = static_cast<std::size_t>(-1);

/// The offset of `hit` from `text`, or `notFound` for a null `hit`.
inline std::size_t offsetOf(const void* hit, const char* text) noexcept {
    return hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - text)
                          : notFound;
}

/// True for the blanks that `trim` drops and `BlankSplitter` splits at:
/// blank, tab, CR and LF.
constexpr bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

/// The index of the first `c` among the `size` bytes at `text`, or `notFound`.
inline std::size_t findByte(const char* text, std::size_t size, char c) noexcept {
    if (blockFirst(size)) {
        // Only whole blocks inside the range are looked at.
        std::size_t at = 0;
        if (findInBlock(text, c, at)) {
            return at;
        }
        const char* after = text + byteBlock;
        const std::size_t rest = offsetOf(std::memchr(after, c, size - byteBlock), after);
        return rest != notFound ? rest + byteBlock : notFound;
    }
    return size != 0 ? offsetOf(std::memchr(text, c, size), text) : notFound;
}

/// The index of the last `c` among the `size` bytes at `text`, or `notFound`.
inline std::size_t findLastByte(const char* text, std::size_t size, char c) noexcept {
#if defined(__GLIBC__)
    // memrchr is a GNU extension; other C libraries get the loop below.
    return size != 0 ? offsetOf(memrchr(text, c, size), text) : notFound;
#else
    while (size != 0) {
        if (text[--size] == c) {
            return size;
        }
    }
    return notFound;
#endif
}

} // namespace conkit::detail
