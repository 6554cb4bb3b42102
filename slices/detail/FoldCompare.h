// Case-blind comparison of two runs of bytes: 'A' to 'Z' fold to 'a' to 'z',
// and the first pair that still differs decides, its bytes taken as signed.
// Internal: not installed.
#pragma once

#include "slices/detail/Kernels.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace conkit::detail {

/// Folds 'A' to 'Z' to lower case and returns the byte as a signed value.
constexpr int foldedSigned(char c) noexcept {
    // The signed value is the point: differing bytes order as signed values.
    const int value =
        static_cast<signed char>(c); // NOLINT(bugprone-signed-char-misuse,cert-str34-c)
    return value >= 'A' && value <= 'Z' ? value + ('a' - 'A') : value;
}

/// 0x20 for the letters 'A' to 'Z' and 'a' to 'z', 0 for every other byte.
/// A byte b matches a letter c case-blind exactly when (b | 0x20) equals
/// (c | 0x20): setting that one bit maps only 'A' to 'Z' onto 'a' to 'z'.
constexpr char caseBit(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ? '\x20' : '\0';
}

/// The byte-by-byte form of `compareFolded`, with the same results.
inline int compareFoldedScalar(const char* a, const char* b, std::size_t size) noexcept {
    for (std::size_t i = 0; i < size; ++i) {
        if (a[i] != b[i]) {
            const int left = foldedSigned(a[i]);
            const int right = foldedSigned(b[i]);
            if (left != right) {
                return left < right ? -1 : 1;
            }
        }
    }
    return 0;
}

/// -1 or 1 for the first pair of the `size` bytes at `a` and `b` whose folded
/// bytes differ, 0 when there is none: the loop for fewer than 16 bytes, the
/// table's kernel from 16 on. Out of line, for the case-blind search: its vector
/// loops inline whatever they call, and this code would crowd their
/// registers. (`StrSlice::compareNoCase` has a kernel of its own,
/// `Kernels::sliceFold`.)
int compareFolded(const char* a, const char* b, std::size_t size) noexcept;

/// The order of two texts of `size` and `count` bytes that are equal over the
/// bytes they have in common: shorter first.
constexpr int shorterFirst(std::uint32_t size, std::uint32_t count) noexcept {
    return size < count ? -1 : (size > count ? 1 : 0);
}

/// Orders `size` bytes at `chars` against `count` bytes at `sought`: by
/// `order` (-1, 0 or 1) over the bytes they have in common, which it is
/// called for only when there are some, then shorter first. When there are
/// bytes in common to read, a null `sought` is read as no bytes.
template <class Order>
int compareSlices(const char* chars, std::uint32_t size, const char* sought, std::uint32_t count,
                  Order order) noexcept {
    if (sought == nullptr && size != 0) {
        count = 0;
    }
    const std::uint32_t common = std::min(size, count);
    if (common != 0) {
        const int first = order(chars, sought, common);
        if (first != 0) {
            return first;
        }
    }
    return shorterFirst(size, count);
}

/// The plain slice comparison: `compareSlices` on the bytes the slice can be
/// read for, with `compareFoldedScalar` as the order.
int compareSlicesScalar(const StrSlice& slice, const char* sought, std::uint32_t count) noexcept;

} // namespace conkit::detail
