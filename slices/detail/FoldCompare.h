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

/// -1 or 1 for the first pair of the `size` bytes at `a` and `b` whose folded
/// bytes differ, 0 when there is none.
int compareFolded(const char* a, const char* b, std::size_t size) noexcept;

/// The plain byte-by-byte form of `compareFolded`, with the same results.
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
