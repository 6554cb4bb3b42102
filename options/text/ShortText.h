// Equality and copying of short texts, such as option and program names.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace conkit::detail {

/// The `Word` bytes at `p`, in the machine's byte order.
template <class Word> Word loadWord(const char* p) noexcept {
    Word word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

/// `a == b`, by word loads instead of a call to memcmp, which costs more than
/// the comparison itself for names; without a call, a lookup that compares
/// names needs fewer registers saved. Longer texts go 8 bytes at a time.
inline bool sameText(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = a.size();
    if (n != b.size()) {
        return false;
    }
    if (n >= 8) {
        for (std::size_t at = 0; at + 8 < n; at += 8) {
            if (loadWord<std::uint64_t>(a.data() + at) != loadWord<std::uint64_t>(b.data() + at)) {
                return false;
            }
        }
        return loadWord<std::uint64_t>(a.data() + n - 8) ==
               loadWord<std::uint64_t>(b.data() + n - 8);
    }
    if (n >= 4 && n < 8) {
        return loadWord<std::uint32_t>(a.data()) == loadWord<std::uint32_t>(b.data()) &&
               loadWord<std::uint32_t>(a.data() + n - 4) ==
                   loadWord<std::uint32_t>(b.data() + n - 4);
    }
    // Fewer than 4: the first, middle and last bytes are all of them.
    return n == 0 || (a[0] == b[0] && a[n / 2] == b[n / 2] && a[n - 1] == b[n - 1]);
}

/// A hash of `text` for tables of names: a few word loads and one multiply
/// for the short names of a command line, where a loop over the bytes would
/// wait on a multiply per byte.
inline std::uint64_t hashText(std::string_view text) noexcept {
    const char* p = text.data();
    const std::size_t n = text.size();
    std::uint64_t hash = n;
    if (n >= 8) {
        for (std::size_t at = 0; at + 8 < n; at += 8) {
            hash = (hash ^ loadWord<std::uint64_t>(p + at)) * 0x9E3779B97F4A7C15ULL;
        }
        hash ^= loadWord<std::uint64_t>(p + n - 8);
    } else if (n >= 4) {
        hash ^=
            std::uint64_t{loadWord<std::uint32_t>(p)} << 32 | loadWord<std::uint32_t>(p + n - 4);
    } else if (n != 0) {
        hash ^= std::uint64_t{static_cast<unsigned char>(p[0])} << 40 |
                std::uint64_t{static_cast<unsigned char>(p[n / 2])} << 32 |
                std::uint64_t{static_cast<unsigned char>(p[n - 1])} << 24;
    }
    hash *= 0x9E3779B97F4A7C15ULL;
    return hash ^ (hash >> 29);
}

/// True when `text` begins with `prefix`.
inline bool beginsWith(std::string_view text, std::string_view prefix) noexcept {
    return text.size() >= prefix.size() && sameText(text.substr(0, prefix.size()), prefix);
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
        if (n != 0) { // the first, middle and last bytes are all of them
            out[0] = p[0];
            out[n / 2] = p[n / 2];
            out[n - 1] = p[n - 1];
        }
    } else {
        std::memcpy(out, p, n);
    }
}

/// `to = text`. A text no longer than the string is copied in place and the
/// string cut to it, which needs no call, as when a parse stores a value
/// again; a longer one is appended to the emptied string, which costs about
/// half of std::string::assign's general replace. A longer text cannot lie
/// within `to`, so emptying it first loses nothing.
inline void assignText(std::string& to, std::string_view text) {
    if (text.size() > to.size()) {
        to.clear();
        to.append(text.data(), text.size());
        return;
    }
    copyText(&to[0], text);
    to.erase(text.size());
}

} // namespace conkit::detail
