// Byte and text searches over raw character ranges.
#include "slices/detail/Search.h"

#include <cstring>

namespace conkit::detail {

namespace {

std::size_t offset(const void* hit, const char* text) noexcept {
    return hit != nullptr ? static_cast<std::size_t>(static_cast<const char*>(hit) - text)
                          : notFound;
}

/// Folds 'A' to 'Z' to lower case and returns the byte as a signed value.
int foldedSigned(char c) noexcept {
    const int value = static_cast<signed char>(c);
    return value >= 'A' && value <= 'Z' ? value + ('a' - 'A') : value;
}

} // namespace

std::size_t findByte(const char* text, std::size_t size, char c) noexcept {
    return size != 0 ? offset(std::memchr(text, c, size), text) : notFound;
}

std::size_t findLastByte(const char* text, std::size_t size, char c) noexcept {
#if defined(__GLIBC__)
    return size != 0 ? offset(memrchr(text, c, size), text) : notFound;
#else
    while (size != 0) {
        if (text[--size] == c) {
            return size;
        }
    }
    return notFound;
#endif
}

std::size_t findText(const char* text, std::size_t size, const char* sought,
                     std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    // Candidates are 0 .. size - count; find each one's first byte with memchr,
    // then compare the rest.
    const std::size_t candidates = size - count + 1;
    std::size_t at = 0;
    while (at < candidates) {
        const std::size_t hit = findByte(text + at, candidates - at, sought[0]);
        if (hit == notFound) {
            return notFound;
        }
        at += hit;
        if (std::memcmp(text + at + 1, sought + 1, count - 1) == 0) {
            return at;
        }
        ++at;
    }
    return notFound;
}

std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    std::size_t candidates = size - count + 1;
    while (candidates != 0) {
        const std::size_t at = findLastByte(text, candidates, sought[0]);
        if (at == notFound) {
            return notFound;
        }
        if (std::memcmp(text + at + 1, sought + 1, count - 1) == 0) {
            return at;
        }
        candidates = at;
    }
    return notFound;
}

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
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
