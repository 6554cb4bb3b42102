// Case-blind comparison of two runs of bytes: 'A' to 'Z' fold to 'a' to 'z',
// and the first pair that still differs decides, its bytes taken as signed.
// Internal: not installed.
#pragma once

#include <cstddef>

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

/// -1 or 1 for the first pair of the `size` bytes at `a` and `b` whose folded
/// bytes differ, 0 when there is none. Vector kernels on x86-64, chosen once
/// by what the processor has; the loop below elsewhere.
int compareFolded(const char* a, const char* b, std::size_t size) noexcept;

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

} // namespace conkit::detail
