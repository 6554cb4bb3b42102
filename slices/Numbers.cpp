// StrSlice: numeric conversions that read only the slice's own characters.
//
// `toNumber` gives what atoi, atol and atof give for a NUL-terminated copy of
// the slice; `parseNumber` is the checked form. Neither copies the characters:
// integers are scanned here, floating-point text goes to std::from_chars.
#include "slices/StrSlice.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

namespace conkit {

namespace {

static_assert(sizeof(long) <= sizeof(std::uint64_t), "long must fit 64 bits");

/// White space as isspace sees it in the C locale.
bool isSpace(char c) noexcept {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

bool isHexDigit(char c) noexcept {
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

/// True when all eight bytes of `chunk` are '0' to '9': adding 0x46 carries a
/// byte above '9' into its top bit, subtracting 0x30 borrows one below '0'.
constexpr bool isEightDigits(std::uint64_t chunk) noexcept {
    return (((chunk + 0x4646464646464646U) | (chunk - 0x3030303030303030U)) &
            0x8080808080808080U) == 0;
}

/// The value of eight decimal digits loaded little-endian (first digit in the
/// lowest byte): pairs, then quadruples, then the whole, by multiply-and-add.
constexpr std::uint64_t eightDigitsValue(std::uint64_t chunk) noexcept {
    chunk -= 0x3030303030303030U;
    chunk = chunk * 10 + (chunk >> 8);
    constexpr std::uint64_t pairs = 0x000000FF000000FFU;
    return (((chunk & pairs) * 0x000F424000000064U) +
            (((chunk >> 16) & pairs) * 0x0000271000000001U)) >>
           32;
}

const char* skipSpace(const char* p, const char* last) noexcept {
    while (p != last && isSpace(*p)) {
        ++p;
    }
    return p;
}

/// Takes an optional '+' or '-' at `p`; returns true for '-'.
bool takeSign(const char*& p, const char* last) noexcept {
    if (p == last || (*p != '+' && *p != '-')) {
        return false;
    }
    return *p++ == '-';
}

/// The leading decimal integer of a text: white space, sign, digits.
struct IntegerText {
    const char* end = nullptr; // one past the last digit taken
    std::uint64_t magnitude = 0;
    bool negative = false;
    bool digits = false;   // at least one digit was taken
    bool overflow = false; // the magnitude does not fit 64 bits
};

IntegerText scanInteger(const char* p, const char* last) noexcept {
    IntegerText text;
    p = skipSpace(p, last);
    text.negative = takeSign(p, last);
    const char* const digits = p;
    // Nineteen digits always fit 64 bits (10^19 - 1 < 2^64): no checks there.
    const char* const unchecked = p + std::min<std::ptrdiff_t>(last - p, 19);
    std::uint64_t value = 0;
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    // Eight digits at a time while the slice holds eight more bytes.
    for (std::uint64_t chunk = 0; unchecked - p >= 8; p += 8) {
        std::memcpy(&chunk, p, sizeof chunk);
        if (!isEightDigits(chunk)) {
            break;
        }
        value = value * 100000000U + eightDigitsValue(chunk);
    }
#endif
    for (; p != unchecked && isDigit(*p); ++p) {
        value = value * 10 + static_cast<unsigned>(*p - '0');
    }
    for (; p != last && isDigit(*p); ++p) {
        const auto digit = static_cast<unsigned>(*p - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
            text.overflow = true; // keep taking digits: they still belong to the number
        } else {
            value = value * 10 + digit;
        }
    }
    text.magnitude = value;
    text.digits = p != digits;
    text.end = p;
    return text;
}

/// What strtol gives: the value, or LONG_MIN / LONG_MAX when out of range.
long toLong(const IntegerText& text) noexcept {
    if (!text.digits) {
        return 0;
    }
    constexpr auto largest = static_cast<std::uint64_t>(LONG_MAX);
    if (!text.negative) {
        return text.overflow || text.magnitude > largest ? LONG_MAX
                                                         : static_cast<long>(text.magnitude);
    }
    if (text.overflow || text.magnitude > largest) {
        return LONG_MIN; // also exactly -LONG_MAX - 1
    }
    return -static_cast<long>(text.magnitude);
}

/// atoi is strtol cut to int; the narrowing keeps the low bits, as in the C
/// library on every two's-complement platform.
int toInt(const IntegerText& text) noexcept {
    return static_cast<int>(toLong(text));
}

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

/// The leading floating-point number of a text, as strtod reads it.
template <class F> struct FloatText {
    F value = 0;
    const char* end = nullptr; // where the number ends; the text start when none
    bool number = false;       // a number was read
    bool outOfRange = false;   // it is too large or too small for F
};

/// For a number that does not fit F: true when it is too large, false when too
/// small. Only the sign of its order of magnitude matters, so a rough one
/// will do: digit count from the first nonzero digit to the radix point, plus
/// the exponent (saturated).
bool isTooLarge(const char* p, const char* end, bool hex) noexcept {
    long long order = 0;
    bool nonZero = false;
    bool afterPoint = false;
    const long long digitWeight = hex ? 4 : 1;
    for (; p != end && (hex ? (*p | 0x20) != 'p' : (*p | 0x20) != 'e'); ++p) {
        if (*p == '.') {
            afterPoint = true;
        } else if (!nonZero && *p == '0') {
            order -= afterPoint ? digitWeight : 0;
        } else {
            nonZero = true;
            order += afterPoint ? 0 : digitWeight;
        }
    }
    if (p != end) {
        ++p;
        const bool negative = takeSign(p, end);
        long long exponent = 0;
        for (; p != end && isDigit(*p); ++p) {
            exponent = std::min(exponent * 10 + (*p - '0'), 1LL << 40);
        }
        order += negative ? -exponent : exponent;
    }
    return order > 0;
}

/// Where the hexadecimal number at `p` (after its "0x") ends as strtod reads
/// it: digits, an optional fraction, and a binary exponent only when a digit
/// follows its one optional sign. from_chars is given exactly that much,
/// because the one in GCC 12's library also takes "p+-5" as an exponent.
const char* hexNumberEnd(const char* p, const char* last) noexcept {
    while (p != last && isHexDigit(*p)) {
        ++p;
    }
    if (p != last && *p == '.') {
        ++p;
        while (p != last && isHexDigit(*p)) {
            ++p;
        }
    }
    if (p != last && (*p | 0x20) == 'p') {
        const char* exponent = p + 1;
        if (exponent != last && (*exponent == '+' || *exponent == '-')) {
            ++exponent;
        }
        if (exponent != last && isDigit(*exponent)) {
            while (exponent != last && isDigit(*exponent)) {
                ++exponent;
            }
            return exponent;
        }
    }
    return p;
}

template <class F> FloatText<F> scanFloat(const char* first, const char* last) noexcept {
    FloatText<F> text;
    text.end = first;
    const char* p = skipSpace(first, last);
    const bool negative = takeSign(p, last);
    if (p != last && *p == '-') {
        return text; // from_chars would take a second sign; strtod does not
    }
    // strtod takes "0x" followed by a hex digit, or by '.' and a hex digit, as
    // hexadecimal; from_chars wants the digits without the prefix.
    auto format = std::chars_format::general;
    if (last - p >= 3 && p[0] == '0' && (p[1] | 0x20) == 'x' &&
        (isHexDigit(p[2]) || (p[2] == '.' && last - p >= 4 && isHexDigit(p[3])))) {
        format = std::chars_format::hex;
        p += 2;
    }
    const char* const numberLast = format == std::chars_format::hex ? hexNumberEnd(p, last) : last;
    const std::from_chars_result result = std::from_chars(p, numberLast, text.value, format);
    if (result.ec == std::errc::invalid_argument) {
        return text;
    }
    text.number = true;
    text.end = result.ptr;
    if (result.ec == std::errc::result_out_of_range) {
        // strtod answers with infinity or zero; from_chars left the value alone.
        text.outOfRange = true;
        text.value = isTooLarge(p, result.ptr, format == std::chars_format::hex)
                         ? std::numeric_limits<F>::infinity()
                         : F(0);
    }
    if (negative) {
        text.value = -text.value;
    }
    return text;
}

/// Narrows a double to float as the hardware rounds: to nearest, overflowing to
/// infinity from FLT_MAX plus half its spacing on. The explicit overflow keeps
/// the conversion defined for every input.
float narrowToFloat(double value) noexcept {
    if (std::fabs(value) > static_cast<double>(FLT_MAX)) {
        constexpr double overflowFrom = static_cast<double>(FLT_MAX) + 0x1p103;
        const float magnitude =
            std::fabs(value) >= overflowFrom ? std::numeric_limits<float>::infinity() : FLT_MAX;
        return std::signbit(value) ? -magnitude : magnitude;
    }
    return static_cast<float>(value);
}

template <class F> bool parseFloating(const char* first, const char* last, F& out) noexcept {
    const FloatText<F> text = scanFloat<F>(first, last);
    if (!text.number || text.outOfRange || text.end != last) {
        return false;
    }
    out = text.value;
    return true;
}

} // namespace

void StrSlice::toNumber(short& out) const noexcept {
    out = static_cast<short>(toInt(scanInteger(chars, chars + usable())));
}

void StrSlice::toNumber(unsigned short& out) const noexcept {
    out = static_cast<unsigned short>(toInt(scanInteger(chars, chars + usable())));
}

void StrSlice::toNumber(int& out) const noexcept {
    out = toInt(scanInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned int& out) const noexcept {
    out = static_cast<unsigned int>(toInt(scanInteger(chars, chars + usable())));
}

void StrSlice::toNumber(long& out) const noexcept {
    out = toLong(scanInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned long& out) const noexcept {
    out = static_cast<unsigned long>(toLong(scanInteger(chars, chars + usable())));
}

void StrSlice::toNumber(float& out) const noexcept {
    out = narrowToFloat(scanFloat<double>(chars, chars + usable()).value);
}

void StrSlice::toNumber(double& out) const noexcept {
    out = scanFloat<double>(chars, chars + usable()).value;
}

bool StrSlice::parseNumber(short& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned short& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(int& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned int& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(long& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned long& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(float& out) const noexcept {
    return parseFloating(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(double& out) const noexcept {
    return parseFloating(chars, chars + usable(), out);
}

} // namespace conkit
