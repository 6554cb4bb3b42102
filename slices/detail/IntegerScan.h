// Decimal integers as 64-bit strtol reads them: the common case inline,
// from one or two chunks, the rest out of line. Internal: not installed.
#pragma once

#include "slices/detail/DecimalChunks.h"

#include <cstdint>
#include <limits>
#include <type_traits>

namespace conkit::detail {

/// The leading decimal integer of a text: white space, sign, digits.
struct IntegerText {
    const char* end = nullptr; // one past the last digit taken
    std::uint64_t magnitude = 0;
    bool negative = false;
    bool digits = false;   // at least one digit was taken
    bool overflow = false; // the magnitude does not fit 64 bits
};

/// The leading integer of the text from `first` to `last`.
IntegerText scanInteger(const char* first, const char* last) noexcept;

/// `readInteger` for a number that starts with white space.
std::int64_t readSpacedInteger(const char* first, const char* last) noexcept;

/// `readInteger` for a number of sixteen digits or more, at `digits`.
std::int64_t readLongInteger(const char* first, const char* digits, const char* last,
                             bool negative) noexcept;

/// The low bits of `value` as a T, as two's complement narrowing keeps them.
template <class T> T lowBits(std::int64_t value) noexcept {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<std::uint64_t>(value)));
}

/// What toNumber reads into every integer type, before narrowing. A number
/// without white space in front and with up to fifteen digits, as most are,
/// is read from one or two chunks: no loop and no further call. The rarer
/// cases are out of line, so that this path saves no registers for them.
inline std::int64_t readInteger(const char* first, const char* last) noexcept {
    const char* p = first;
    const bool negative = takeSign(p, last);
    std::uint64_t chunk = loadChunk(first, p, last);
    unsigned count = leadingDigits(chunk);
    std::uint64_t magnitude = digitsValue(chunk, count);
    if (count == 8) {
        chunk = loadChunk(first, p + 8, last);
        count = leadingDigits(chunk);
        if (count == 8) {
            return readLongInteger(first, p, last, negative);
        }
        magnitude = magnitude * powersOfTen[count] + digitsValue(chunk, count);
    } else if (count == 0 && first != last && isSpace(*first)) {
        return readSpacedInteger(first, last);
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

/// What parseNumber reads into an integer type: true and `out` set when the
/// whole text is one integer that fits T.
template <class T> bool parseInteger(const char* first, const char* last, T& out) noexcept {
    const IntegerText text = scanInteger(first, last);
    if (!text.digits || text.overflow || text.end != last) {
        return false;
    }
    if (!text.negative || text.magnitude == 0) {
        if (text.magnitude > static_cast<std::uint64_t>(std::numeric_limits<T>::max())) {
            return false;
        }
        out = static_cast<T>(text.magnitude);
        return true;
    }
    if constexpr (std::is_signed_v<T>) {
        // The most negative value has a magnitude one above the largest.
        const auto limit = static_cast<std::uint64_t>(std::numeric_limits<T>::max()) + 1;
        if (text.magnitude <= limit) {
            out = static_cast<T>(-static_cast<T>(text.magnitude - 1) - 1);
            return true;
        }
    }
    return false;
}

} // namespace conkit::detail
