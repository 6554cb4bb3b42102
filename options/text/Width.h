// How many terminal columns text takes, for laying out help by columns.
#pragma once

#include "options/text/Utf8.h"
#include "options/text/WidthTable.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace conkit::detail {

/// True when `point` lies in one of the sorted, disjoint `ranges`.
template <std::size_t N> bool inRanges(const CodePointRange (&ranges)[N], char32_t point) noexcept {
    const CodePointRange* found =
        std::lower_bound(std::begin(ranges), std::end(ranges), point,
                         [](const CodePointRange& range, char32_t p) { return range.last < p; });
    return found != std::end(ranges) && found->first <= point;
}

/// The columns `point` takes: 0 for a combining mark or zero-width character
/// (also where East Asian Width calls it wide), 2 for a wide or fullwidth one,
/// else 1.
inline std::size_t columnsOf(char32_t point) noexcept {
    if (point < zeroWidthRanges[0].first && point < wideRanges[0].first) {
        return 1;
    }
    if (inRanges(zeroWidthRanges, point)) {
        return 0;
    }
    return inRanges(wideRanges, point) ? 2 : 1;
}

/// The columns `text` takes, read as UTF-8; each byte of an invalid sequence
/// takes one, as the U+FFFD that decodeAt reads it as does.
inline std::size_t displayColumns(std::string_view text) noexcept {
    // ASCII, most of any help text, takes one column a byte.
    std::size_t at = 0;
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 0x80) {
        ++at;
    }
    std::size_t columns = at;
    while (at < text.size()) {
        if (static_cast<unsigned char>(text[at]) < 0x80) {
            ++columns;
            ++at;
            continue;
        }
        const auto [point, length] = decodeAt(text, at);
        columns += columnsOf(point);
        at += length;
    }
    return columns;
}

} // namespace conkit::detail
