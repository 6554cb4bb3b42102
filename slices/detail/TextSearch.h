// Search for a run of bytes, exactly or case-blind. Internal: not installed.
#pragma once

#include "slices/detail/ByteSearch.h"

#include <cstddef>

namespace conkit::detail {

// Each search takes the `size` bytes at `text` and the `count` bytes at
// `sought`, with 1 <= `count`, and considers every candidate position k with
// k + `count` <= `size`, in order, without skipping any.

/// The first k at which the sought bytes stand, or `notFound`.
std::size_t findText(const char* text, std::size_t size, const char* sought,
                     std::size_t count) noexcept;

/// The last such k, or `notFound`.
std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept;

/// The first k at which the sought bytes stand case-blind ('A' to 'Z' match
/// 'a' to 'z'), or `notFound`.
std::size_t findTextNoCase(const char* text, std::size_t size, const char* sought,
                           std::size_t count) noexcept;

} // namespace conkit::detail
