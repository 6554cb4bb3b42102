// Byte and text searches over raw character ranges, shared by StrSlice and the
// tokenizers. Internal: not installed.
#pragma once

#include <cstddef>

namespace conkit::detail {

/// Result of the searches below when nothing matches.
constexpr std::size_t notFound = static_cast<std::size_t>(-1);

/// Index of the first `c` among the `size` bytes at `text`, or `notFound`.
std::size_t findByte(const char* text, std::size_t size, char c) noexcept;

/// Index of the last `c` among the `size` bytes at `text`, or `notFound`.
std::size_t findLastByte(const char* text, std::size_t size, char c) noexcept;

/// First index k with k + `count` <= `size` where the `count` bytes at `sought`
/// stand in `text`, compared byte for byte; `notFound` when there is none.
/// `count` must be at least 1.
std::size_t findText(const char* text, std::size_t size, const char* sought,
                     std::size_t count) noexcept;

/// Last such index, or `notFound`. `count` must be at least 1.
std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept;

/// Case-blind comparison of `size` bytes: at the first pair that differs once
/// 'A' to 'Z' are folded to 'a' to 'z', -1 or 1 by the folded bytes taken as
/// signed; 0 when there is no such pair.
int compareFolded(const char* a, const char* b, std::size_t size) noexcept;

} // namespace conkit::detail
