// Reading text as UTF-8: the one decoder of the library.
#pragma once

#include <cstddef>
#include <string_view>
#include <utility>

namespace conkit::detail {

/// What a byte that begins no well-formed sequence reads as.
constexpr char32_t replacementCharacter = 0xFFFD;

/// The code point that begins at `text[at]` and the bytes it takes; a byte
/// that begins no well-formed UTF-8 sequence (a stray continuation byte, a
/// cut or overlong sequence, a surrogate) is one U+FFFD of one byte.
inline std::pair<char32_t, std::size_t> decodeAt(std::string_view text, std::size_t at) noexcept {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned lead = byte(at);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > text.size()) {
        return {replacementCharacter, 1};
    }
    char32_t point = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return {replacementCharacter, 1};
        }
        point = (point << 6) | (byte(at + i) & 0x3Fu);
    }
    const char32_t shortest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (point < shortest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        return {replacementCharacter, 1};
    }
    return {point, length};
}

/// True when every byte of `text` belongs to a well-formed UTF-8 sequence.
inline bool validUtf8(std::string_view text) noexcept {
    for (std::size_t at = 0; at < text.size();) {
        const auto [point, length] = decodeAt(text, at);
        if (point == replacementCharacter && length == 1) {
            return false;
        }
        at += length;
    }
    return true;
}

} // namespace conkit::detail
