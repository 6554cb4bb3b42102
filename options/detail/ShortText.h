// Equality of short texts, such as option and program names.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace conkit::detail {

/// `a == b`. Texts up to 16 bytes long are compared with two overlapping
/// loads from each side instead of a call to memcmp, which costs more than
/// the comparison itself at these sizes; option and program names are that
/// short.
inline bool sameText(std::string_view a, std::string_view b) noexcept {
    const std::size_t n = a.size();
    if (n != b.size()) {
        return false;
    }
    const auto load = [](const char* p, auto word) {
        std::memcpy(&word, p, sizeof word);
        return word;
    };
    if (n >= 8 && n <= 16) {
        return load(a.data(), std::uint64_t{}) == load(b.data(), std::uint64_t{}) &&
               load(a.data() + n - 8, std::uint64_t{}) == load(b.data() + n - 8, std::uint64_t{});
    }
    if (n >= 4 && n < 8) {
        return load(a.data(), std::uint32_t{}) == load(b.data(), std::uint32_t{}) &&
               load(a.data() + n - 4, std::uint32_t{}) == load(b.data() + n - 4, std::uint32_t{});
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

} // namespace conkit::detail
