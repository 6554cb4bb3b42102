// Equality, copying and hashing of short texts, such as option and program
// names. Not part of the interface: the parser's inline parts use it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace conkit::detail {

/// The `Word` bytes at `p`, in the machine's byte order.
template <class Word> Word loadWord(const char* p) noexcept {
    Word word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

/// `a == b`. Texts up to 16 bytes long are compared with two overlapping
/// loads from each side instead of a call to memcmp, which costs more than
/// the comparison itself at these sizes; option and program names are that
/// short.
inline bool sameText(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = a.size();
    if (n != b.size()) {
        return false;
    }
    if (n >= 8 && n <= 16) {
        return loadWord<std::uint64_t>(a.data()) == loadWord<std::uint64_t>(b.data()) &&
               loadWord<std::uint64_t>(a.data() + n - 8) ==
                   loadWord<std::uint64_t>(b.data() + n - 8);
    }
    if (n >= 4 && n < 8) {
        return loadWord<std::uint32_t>(a.data()) == loadWord<std::uint32_t>(b.data()) &&
               loadWord<std::uint32_t>(a.data() + n - 4) ==
                   loadWord<std::uint32_t>(b.data() + n - 4);
    }
    if (n < 4) {
        for (std::size_t i = 0; i < n; ++i) {
            if (a[i] != b[i]) {
                return false;
            }
        }
        return true;
    }
    return std::memcmp(a.data(), b.data(), n) == 0;
}

/// Copies `text` to `out`, which has room for it. Up to 16 bytes go as two
/// overlapping loads and stores, which is cheaper than a call to memcpy for
/// the short words of a command line.
inline void copyText(char* out, std::string_view text) noexcept {
    const char* p = text.data();
    const std::size_t n = text.size();
    if (n >= 8 && n <= 16) {
        const auto first = loadWord<std::uint64_t>(p);
        const auto last = loadWord<std::uint64_t>(p + n - 8);
        std::memcpy(out, &first, 8);
        std::memcpy(out + n - 8, &last, 8);
    } else if (n >= 4 && n < 8) {
        const auto first = loadWord<std::uint32_t>(p);
        const auto last = loadWord<std::uint32_t>(p + n - 4);
        std::memcpy(out, &first, 4);
        std::memcpy(out + n - 4, &last, 4);
    } else if (n < 4) {
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = p[i];
        }
    } else {
        std::memcpy(out, p, n);
    }
}

/// A hash of `text` for tables in memory (it differs between byte orders).
/// Eight bytes are mixed at a time, the last eight (or fewer) with one load,
/// so that a short name costs a couple of multiplications rather than one
/// per byte.
inline std::size_t hashText(std::string_view text) noexcept {
    constexpr std::uint64_t spread = 0x9E3779B97F4A7C15U;
    const char* p = text.data();
    const std::size_t n = text.size();
    std::uint64_t hash = (n + 1) * spread;
    std::uint64_t last = 0;
    if (n >= 8) {
        for (std::size_t at = 0; at + 8 < n; at += 8) {
            hash = (hash ^ loadWord<std::uint64_t>(p + at)) * spread;
        }
        last = loadWord<std::uint64_t>(p + n - 8);
    } else if (n >= 4) {
        last = loadWord<std::uint32_t>(p) |
               (static_cast<std::uint64_t>(loadWord<std::uint32_t>(p + n - 4)) << 32);
    } else if (n != 0) {
        const auto byte = [p](std::size_t at) {
            return static_cast<std::uint64_t>(static_cast<unsigned char>(p[at]));
        };
        last = byte(0) | (byte(n / 2) << 8) | (byte(n - 1) << 16);
    }
    hash = (hash ^ last) * 0xFF51AFD7ED558CCDU;
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

} // namespace conkit::detail
