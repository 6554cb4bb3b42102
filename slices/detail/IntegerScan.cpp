// The out-of-line parts of the integer scanner: the whole scan, for
// parseNumber and for the numbers that readInteger leaves out.
#include "slices/detail/IntegerScan.h"

#include "slices/detail/Hints.h"

namespace conkit::detail {

namespace {

/// The rest of an integer whose digits begin at `digits` and whose first
/// ones, up to `p`, have the value `magnitude`: what `scanInteger` gives.
/// `first` is the start of the slice.
IntegerText scanDigits(const char* first, const char* digits, const char* p, const char* last,
                       std::uint64_t magnitude, bool negative) noexcept {
    IntegerText text;
    text.negative = negative;
    text.magnitude = magnitude;
    unsigned room = safeDigits - static_cast<unsigned>(p - digits);
    p = takeDigits(first, p, last, text.magnitude, room);
    for (; p != last && isDigit(*p); ++p) {
        const auto digit = static_cast<unsigned>(*p - '0');
        if (text.magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
            text.overflow = true; // keep taking digits: they still belong to the number
        } else {
            text.magnitude = text.magnitude * 10 + digit;
        }
    }
    text.digits = p != digits;
    text.end = p;
    return text;
}

/// What strtol gives with a 64-bit long: the value, saturated at the range.
std::int64_t saturated(const IntegerText& text) noexcept {
    constexpr auto largest = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (text.overflow || text.magnitude > largest) {
        return text.negative ? std::numeric_limits<std::int64_t>::min()
                             : std::numeric_limits<std::int64_t>::max();
    }
    const auto value = static_cast<std::int64_t>(text.magnitude);
    return text.negative ? -value : value;
}

} // namespace

IntegerText scanInteger(const char* first, const char* last) noexcept {
    const char* p = skipSpace(first, last);
    const bool negative = takeSign(p, last);
    return scanDigits(first, p, p, last, 0, negative);
}

/// `readInteger` for a number that starts with white space.
CONKIT_NOINLINE std::int64_t readSpacedInteger(const char* first, const char* last) noexcept {
    return saturated(scanInteger(first, last));
}

/// `readInteger` for a number of sixteen digits or more, at `digits`.
CONKIT_NOINLINE std::int64_t readLongInteger(const char* first, const char* digits,
                                             const char* last, bool negative) noexcept {
    return saturated(scanDigits(first, digits, digits, last, 0, negative));
}

} // namespace conkit::detail
