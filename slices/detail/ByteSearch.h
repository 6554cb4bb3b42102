// Search for one byte: the C library's memchr (and glibc's memrchr), with the
// first 16 bytes checked inline on x86-64 so that the short distances of a
// tokenizer skip the call; and the one class of bytes, blanks, that is looked
// for as a class. Internal: not installed.
#pragma once

#include "slices/detail/Cpu.h"

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
#if defined(CONKIT_X86_VECTORS)
    if (size >= 16) {
        // Only whole 16-byte blocks inside the range are loaded.
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
        const auto mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
        if (mask != 0) {
            return static_cast<std::size_t>(__builtin_ctz(mask));
        }
        const std::size_t rest = offsetOf(std::memchr(text + 16, c, size - 16), text + 16);
        return rest != notFound ? rest + 16 : notFound;
    }
#endif
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
