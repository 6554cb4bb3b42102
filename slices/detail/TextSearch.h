// Search for a run of bytes, exactly or case-blind. Internal: not installed.
#pragma once

#include "slices/detail/ByteSearch.h"
#include "slices/detail/Kernels.h"

#include <cstddef>
#include <cstring>

namespace conkit::detail {

// Each search takes the `size` bytes at `text` and the `count` bytes at
// `sought`, with 1 <= `count`, and considers every candidate position k with
// k + `count` <= `size`, in order, without skipping any.

/// The first match after the candidate `first`, which did not match; the
/// vector kernels' part of `findText`. `count` is at least 2.
std::size_t findTextAfter(const char* text, std::size_t size, const char* sought, std::size_t count,
                          std::size_t first) noexcept;

/// The first k at which the sought bytes stand, or `notFound`.
inline std::size_t findText(const char* text, std::size_t size, const char* sought,
                            std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    // The first candidate comes from memchr and is checked here, inline: a
    // delimiter's first byte is usually rare enough to be the match, and a
    // tokenizer asks for one match per token, so the call to the kernels is
    // left for the other cases. (findByte's inline look at the first 16
    // bytes would mostly miss here: text delimiters stand further apart.)
    const std::size_t first = offsetOf(std::memchr(text, sought[0], size - count + 1), text);
    if (first == notFound) {
        return notFound;
    }
    for (std::size_t i = 1; i < count; ++i) {
        if (text[first + i] != sought[i]) {
            return findTextAfter(text, size, sought, count, first);
        }
    }
    return first;
}

/// Writes, in order, the offsets of the candidates among the first 256 at
/// `text` whose first and last bytes are those of the `count` sought bytes:
/// the same test as the vector searches, for a whole window at once. Stops
/// early, before the candidate it has no room for, when `capacity` offsets
/// are written. Reads text[0 .. 254 + count], which must all be there.
inline Marks markCandidates(const char* text, const char* sought, std::size_t count,
                            unsigned char* offsets, std::size_t capacity) noexcept {
    return kernels().mark(text, sought, count, offsets, capacity);
}

/// The last k at which the sought bytes stand, or `notFound`; `count` is at
/// most `size`.
std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept;

/// The first k at which the sought bytes stand case-blind ('A' to 'Z' match
/// 'a' to 'z'), or `notFound`.
std::size_t findTextNoCase(const char* text, std::size_t size, const char* sought,
                           std::size_t count) noexcept;

// The plain kernels, which every build has: memchr (or memrchr) finds each
// candidate's first byte, and the rest is compared.

/// The first exact match, or `notFound`.
std::size_t scanExact(const char* text, std::size_t size, const char* sought,
                      std::size_t count) noexcept;
/// The last exact match, or `notFound`.
std::size_t scanLastExact(const char* text, std::size_t size, const char* sought,
                          std::size_t count) noexcept;
/// The first case-blind match, or `notFound`.
std::size_t scanNoCase(const char* text, std::size_t size, const char* sought,
                       std::size_t count) noexcept;
/// Marks nothing and covers nothing: tokenizers then search as `findText` does.
Marks markNothing(const char* text, const char* sought, std::size_t count, unsigned char* offsets,
                  std::size_t capacity) noexcept;

} // namespace conkit::detail
