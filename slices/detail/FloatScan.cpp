// The floating-point scanner: strtod's grammar walked once, then the value
// rounded to the type (see Numbers.cpp for the whole approach).
#include "slices/detail/FloatScan.h"

#include "slices/detail/DecimalChunks.h"

#include <cfloat>
#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>
#include <type_traits>

namespace conkit::detail {

namespace {

static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<float>::is_iec559,
              "floating-point values are built from IEEE 754 bits");

/// The value of a hexadecimal digit, or -1.
int hexValue(char c) noexcept {
    if (isDigit(c)) {
        return c - '0';
    }
    const char lower = static_cast<char>(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

bool isLetter(char c) noexcept {
    return static_cast<unsigned char>((c | 0x20) - 'a') < 26;
}

/// True when `p` starts, case-blind, with the lower-case `word`.
bool startsWithWord(const char* p, const char* last, const char* word) noexcept {
    for (; *word != '\0'; ++p, ++word) {
        if (p == last || (*p | 0x20) != *word) {
            return false;
        }
    }
    return true;
}

/// The forms of floating-point text that strtod reads.
enum class FloatForm { none, decimal, hex, infinity, nan };

/// The leading floating-point number of a text, scanned but not yet rounded:
/// significand * 10^exponent for a decimal, significand * 2^exponent for a
/// hexadecimal number.
struct FloatText {
    FloatForm form = FloatForm::none;
    bool negative = false;
    const char* digits = nullptr;  // where the digits start, after the sign
    const char* end = nullptr;     // where the number ends; the text start when there is none
    std::uint64_t significand = 0; // the leading significant digits
    std::int64_t exponent = 0;
    bool sticky = false; // hexadecimal: a nonzero digit was left out of the significand
};

/// Exponents beyond this are as good as infinite; it is far above any shift
/// that the digits of a slice (at most 2^32 of them) can make.
constexpr std::int64_t exponentCap = std::int64_t{1} << 40;

/// Adds the exponent at `p` to `text`, if `p` holds `letter` (either case),
/// one optional sign and a digit; strtod takes nothing of it otherwise.
void takeExponent(const char* p, const char* last, char letter, FloatText& text) noexcept {
    if (p == last || (*p | 0x20) != letter) {
        return;
    }
    ++p;
    const bool negative = takeSign(p, last);
    if (p == last || !isDigit(*p)) {
        return;
    }
    std::int64_t value = 0;
    for (; p != last && isDigit(*p); ++p) {
        value = value < exponentCap ? value * 10 + (*p - '0') : value;
    }
    text.exponent += negative ? -value : value;
    text.end = p;
}

/// The byte of a chunk at `index` (0 to 7).
char byteOf(std::uint64_t chunk, unsigned index) noexcept {
    return static_cast<char>((chunk >> (8 * index)) & 0xFF);
}

/// A decimal number at `p`: digits with at most one point among them (a
/// digit is needed on one side of it), then an optional exponent. Leading
/// zeros are skipped, so the significand's digits are significant ones. The
/// digits go in eight at a time while the significand has room for them; a
/// point inside a chunk is squeezed out of it, so the digits on both sides
/// go in together. Whatever is left (digits past the room, a point where the
/// room ran out) is read one byte at a time.
void scanDecimal(const char* first, const char* p, const char* last, FloatText& text) noexcept {
    const char* const begin = p;
    bool point = false;
    while (p != last && *p == '0') {
        ++p;
    }
    if (p != last && *p == '.') {
        point = true;
        const char* const zeros = ++p;
        while (p != last && *p == '0') {
            ++p;
        }
        text.exponent = zeros - p;
    }
    unsigned room = safeDigits;
    for (unsigned length = 8; length == 8;) {
        std::uint64_t chunk = loadChunk(first, p, last);
        unsigned count = leadingDigits(chunk);
        unsigned fraction = point ? count : 0; // of the digits, those after the point
        length = count;
        if (!point && count < 8 && byteOf(chunk, count) == '.') {
            const std::uint64_t before = (std::uint64_t{1} << (8 * count)) - 1;
            chunk = (chunk & before) | ((chunk >> 8) & ~before);
            const unsigned all = leadingDigits(chunk);
            if (all > room) {
                break;
            }
            point = true;
            fraction = all - count;
            count = all;
            length = all + 1;
        } else if (count > room) {
            break;
        }
        text.significand = text.significand * powersOfTen[count] + digitsValue(chunk, count);
        text.exponent -= fraction;
        room -= count;
        p += length;
    }
    for (; p != last; ++p) {
        if (isDigit(*p)) {
            if (room != 0) {
                text.significand = text.significand * 10 + static_cast<unsigned>(*p - '0');
                text.exponent -= point ? 1 : 0;
                --room;
            } else {
                text.exponent += point ? 0 : 1; // past the room only its place counts
            }
        } else if (*p == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (p - begin == (point ? 1 : 0)) {
        return; // no digit: no number
    }
    text.form = FloatForm::decimal;
    text.end = p;
    takeExponent(p, last, 'e', text);
}

/// A hexadecimal number at `p`, just after its "0x": digits with at most one
/// point among them, then an optional binary exponent. The caller has made
/// sure that a digit comes first, or a point and a digit. Digits are kept
/// while a whole one more fits the significand; past that, digits before the
/// point scale the value, and a nonzero one is remembered as sticky.
void scanHex(const char* p, const char* last, FloatText& text) noexcept {
    bool point = false;
    for (; p != last; ++p) {
        const int digit = hexValue(*p);
        if (digit < 0) {
            if (*p != '.' || point) {
                break;
            }
            point = true;
        } else if ((text.significand >> 60) == 0) {
            text.significand = text.significand * 16 + static_cast<unsigned>(digit);
            text.exponent -= point ? 4 : 0;
        } else {
            text.sticky = text.sticky || digit != 0;
            text.exponent += point ? 0 : 4;
        }
    }
    text.form = FloatForm::hex;
    text.end = p;
    takeExponent(p, last, 'p', text);
}

/// "inf", "infinity" or "nan", case-blind; "nan" may be followed by letters,
/// digits and '_' in parentheses.
void scanWord(const char* p, const char* last, FloatText& text) noexcept {
    if (startsWithWord(p, last, "inf")) {
        text.form = FloatForm::infinity;
        text.end = p + (startsWithWord(p, last, "infinity") ? 8 : 3);
    } else if (startsWithWord(p, last, "nan")) {
        text.form = FloatForm::nan;
        p += 3;
        text.end = p;
        if (p != last && *p == '(') {
            ++p;
            while (p != last && (isDigit(*p) || *p == '_' || isLetter(*p))) {
                ++p;
            }
            if (p != last && *p == ')') {
                text.end = p + 1; // without the closing one, only "nan" is taken
            }
        }
    }
}

/// Scans the leading floating-point number of a text as strtod does:
/// white space, a sign, then one of the forms.
FloatText scanFloat(const char* first, const char* last) noexcept {
    FloatText text;
    text.end = first;
    const char* p = skipSpace(first, last);
    text.negative = takeSign(p, last);
    text.digits = p;
    if (p == last) {
        return text;
    }
    // "0x" makes a hexadecimal number only when a digit follows, or a point
    // and a digit; otherwise the number is the "0".
    if (*p == '0' && last - p >= 3 && (p[1] | 0x20) == 'x' &&
        (hexValue(p[2]) >= 0 || (p[2] == '.' && last - p >= 4 && hexValue(p[3]) >= 0))) {
        scanHex(p + 2, last, text);
    } else if (isDigit(*p) || *p == '.') {
        scanDecimal(first, p, last, text);
    } else {
        scanWord(p, last, text);
    }
    return text;
}

/// The bits of a value of type F.
template <class F> using BitsOf = std::conditional_t<sizeof(F) == 8, std::uint64_t, std::uint32_t>;

template <class F> F fromBits(BitsOf<F> bits) noexcept {
    F value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

/// A value rounded to F; `outOfRange` when it overflowed to infinity or
/// underflowed to zero.
template <class F> struct Rounded {
    F value = 0;
    bool outOfRange = false;
};

/// significand * 2^exponent, plus a little more when `sticky` (nonzero bits
/// were dropped below the significand), rounded to F to nearest with ties to
/// even, as strtod rounds. The significand is not 0.
template <class F>
Rounded<F> binaryValue(std::uint64_t significand, std::int64_t exponent, bool sticky) noexcept {
    using Bits = BitsOf<F>;
    constexpr int precision = std::numeric_limits<F>::digits;             // 53 or 24
    constexpr int minExponent = std::numeric_limits<F>::min_exponent - 1; // of the least normal
    constexpr int maxExponent = std::numeric_limits<F>::max_exponent - 1;
    constexpr Bits infinity = Bits{(Bits{1} << (sizeof(Bits) * 8 - precision)) - 1}
                              << (precision - 1);
    // Move the top bit to bit 63: the value is in [2^top, 2^(top + 1)).
    for (int step = 32; step != 0; step /= 2) {
        if ((significand >> (64 - step)) == 0) {
            significand <<= step;
            exponent -= step;
        }
    }
    const std::int64_t top = exponent + 63;
    if (top > maxExponent) {
        return {fromBits<F>(infinity), true};
    }
    // Normal numbers keep `precision` bits; subnormal ones fewer.
    const std::int64_t keep = top >= minExponent ? precision : precision - (minExponent - top);
    if (keep < 0) {
        return {F(0), true}; // below half the least subnormal
    }
    const auto dropped = static_cast<int>(64 - keep); // 11 to 64
    std::uint64_t kept = 0;
    bool roundUp = false;
    if (dropped == 64) {
        // The value lies in [half the least subnormal, the least subnormal).
        roundUp = (significand << 1) != 0 || sticky;
    } else {
        kept = significand >> dropped;
        const std::uint64_t rest = significand & ((std::uint64_t{1} << dropped) - 1);
        const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
        roundUp = rest > half || (rest == half && (sticky || (kept & 1) != 0));
    }
    kept += roundUp ? 1 : 0;
    // A carry out of the significand moves into the exponent field by itself.
    const Bits bits =
        top >= minExponent
            ? static_cast<Bits>((static_cast<Bits>(top - minExponent + 1) << (precision - 1)) +
                                static_cast<Bits>(kept) - (Bits{1} << (precision - 1)))
            : static_cast<Bits>(kept);
    return {fromBits<F>(bits), bits == 0 || bits >= infinity};
}

/// Powers of ten that F holds exactly, and the largest significand it holds
/// exactly: a product or quotient of two of these is rounded once, correctly.
template <class F> struct ExactDecimal;
template <> struct ExactDecimal<double> {
    static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    static constexpr std::uint64_t largest = std::uint64_t{1} << 53;
};
template <> struct ExactDecimal<float> {
    static constexpr float powers[] = {1e0F, 1e1F, 1e2F, 1e3F, 1e4F, 1e5F,
                                       1e6F, 1e7F, 1e8F, 1e9F, 1e10F};
    static constexpr std::uint64_t largest = std::uint64_t{1} << 24;
};

/// One operation rounds once only where the hardware computes in the type's
/// own precision (not on the x87 unit, for instance).
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
constexpr bool roundsOnce = true;
#else
constexpr bool roundsOnce = false;
#endif

/// The decimal significand * 10^exponent rounded to F: one exact operation
/// where that rounds correctly, else std::from_chars on the scanned digits.
template <class F> Rounded<F> decimalValue(const FloatText& text) noexcept {
    using Exact = ExactDecimal<F>;
    constexpr auto exactPowers = static_cast<std::int64_t>(sizeof Exact::powers / sizeof(F));
    if (text.significand == 0) {
        return {};
    }
    // A significand that left digits out holds 19 of them, too many for this.
    if (roundsOnce && text.significand <= Exact::largest && text.exponent > -exactPowers &&
        text.exponent < exactPowers) {
        const auto whole = static_cast<F>(text.significand);
        return {text.exponent < 0 ? whole / Exact::powers[-text.exponent]
                                  : whole * Exact::powers[text.exponent]};
    }
    Rounded<F> rounded;
    const std::from_chars_result result = std::from_chars(text.digits, text.end, rounded.value);
    if (result.ec == std::errc::result_out_of_range) {
        // The significand holds the leading significant digits, so the sign
        // of the power of ten tells overflow from underflow: the range of F
        // lies hundreds of powers away on either side.
        rounded.outOfRange = true;
        rounded.value = text.exponent > 0 ? std::numeric_limits<F>::infinity() : F(0);
    } else if (result.ec != std::errc() || result.ptr != text.end) {
        rounded.value = F(0); // not expected: the scanner found a number there
    }
    return rounded;
}

/// The value of a scanned number, rounded to F.
template <class F> Rounded<F> roundedValue(const FloatText& text) noexcept {
    Rounded<F> rounded;
    switch (text.form) {
    case FloatForm::none:
        return rounded; // +0, whatever the sign
    case FloatForm::decimal:
        rounded = decimalValue<F>(text);
        break;
    case FloatForm::hex:
        if (text.significand != 0) {
            rounded = binaryValue<F>(text.significand, text.exponent, text.sticky);
        }
        break;
    case FloatForm::infinity:
        rounded.value = std::numeric_limits<F>::infinity();
        break;
    case FloatForm::nan:
        rounded.value = std::numeric_limits<F>::quiet_NaN();
        break;
    }
    if (text.negative) {
        rounded.value = -rounded.value;
    }
    return rounded;
}

template <class F> bool parseFloatingAs(const char* first, const char* last, F& out) noexcept {
    const FloatText text = scanFloat(first, last);
    if (text.form == FloatForm::none || text.end != last) {
        return false;
    }
    const Rounded<F> rounded = roundedValue<F>(text);
    if (rounded.outOfRange) {
        return false;
    }
    out = rounded.value;
    return true;
}
} // namespace

/// Narrows a double to float as the hardware rounds: to nearest, overflowing
/// to infinity from FLT_MAX plus half its spacing on. The explicit overflow
/// keeps the conversion defined for every input.
float narrowToFloat(double value) noexcept {
    const double magnitude = value < 0 ? -value : value;
    if (magnitude > static_cast<double>(FLT_MAX)) {
        constexpr double overflowFrom = static_cast<double>(FLT_MAX) + 0x1p103;
        const float narrowed =
            magnitude >= overflowFrom ? std::numeric_limits<float>::infinity() : FLT_MAX;
        return value < 0 ? -narrowed : narrowed;
    }
    return static_cast<float>(value);
}

double readDouble(const char* first, const char* last) noexcept {
    return roundedValue<double>(scanFloat(first, last)).value;
}

bool parseFloating(const char* first, const char* last, float& out) noexcept {
    return parseFloatingAs(first, last, out);
}

bool parseFloating(const char* first, const char* last, double& out) noexcept {
    return parseFloatingAs(first, last, out);
}

} // namespace conkit::detail
