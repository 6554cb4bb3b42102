// StrSlice: numeric conversions that read only the slice's own characters and
// give the same answer on every platform.
//
// The slice is read as 64-bit glibc's strtol and strtod read a NUL-terminated
// copy of it, whatever the platform's long and C library are. One scanner per
// grammar walks the text once, finds where the number ends and gathers its
// digits into a 64-bit significand and a power of ten or two:
//   - integers: the significand is the value; out of the 64-bit range it
//     saturates, and the output type keeps the low bits;
//   - hexadecimal floating point: the significand is rounded to the type by
//     hand (ties to even, subnormals included), which is exact everywhere;
//   - decimal floating point: a significand of up to 2^53 with a power of ten
//     of at most 22 is one correctly rounded division or multiplication; any
//     other decimal goes to std::from_chars, which rounds correctly too, and
//     whose out-of-range answer the scanner's power of ten turns into
//     infinity or zero;
//   - "inf", "infinity" and "nan" (with an optional "(chars)") are spelled out.
// The platform's strtol and strtod are never called.
#include "slices/StrSlice.h"

#include <cfloat>
#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>
#include <type_traits>

namespace conkit {

namespace {

static_assert(std::numeric_limits<double>::is_iec559 && std::numeric_limits<float>::is_iec559,
              "floating-point values are built from IEEE 754 bits");

/// White space as isspace sees it in the C locale: blank, \t, \n, \v, \f, \r.
bool isSpace(char c) noexcept {
    constexpr std::uint64_t spaces = (std::uint64_t{1} << ' ') | (std::uint64_t{0x1F} << '\t');
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' && ((spaces >> byte) & 1) != 0;
}

bool isDigit(char c) noexcept {
    return static_cast<unsigned char>(c - '0') <= 9;
}

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

// --- decimal digits, eight at a time -----------------------------------------
//
// A chunk holds up to eight characters with the first one in its lowest byte,
// whatever the byte order of the machine: big-endian machines swap the bytes
// of each load (the test of the byte order folds to a constant).

bool isLittleEndian() noexcept {
    const std::uint16_t one = 1;
    unsigned char low = 0;
    std::memcpy(&low, &one, 1);
    return low == 1;
}

std::uint64_t byteSwapped(std::uint64_t word) noexcept {
    word = ((word & 0x00FF00FF00FF00FFU) << 8) | ((word >> 8) & 0x00FF00FF00FF00FFU);
    word = ((word & 0x0000FFFF0000FFFFU) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFU);
    return (word << 32) | (word >> 32);
}

std::uint64_t loadEight(const char* p) noexcept {
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, p, sizeof chunk);
    return isLittleEndian() ? chunk : byteSwapped(chunk);
}

std::uint64_t byteAt(const char* p, unsigned index) noexcept {
    return std::uint64_t{static_cast<unsigned char>(p[index])} << (8 * index);
}

/// The `count` (below 8) characters at `p` as a chunk, one at a time.
std::uint64_t loadFew(const char* p, std::ptrdiff_t count) noexcept {
    std::uint64_t chunk = 0;
    for (unsigned i = 0; i < static_cast<unsigned>(count); ++i) {
        chunk |= byteAt(p, i);
    }
    return chunk;
}

/// The characters from `p` on, up to eight and never at or past `last`, as a
/// chunk; missing bytes are 0. `first` is the start of the slice: when fewer
/// than eight characters are left, the last eight of the slice are loaded and
/// shifted down, so no byte outside the slice is read.
inline std::uint64_t loadChunk(const char* first, const char* p, const char* last) noexcept {
    const std::ptrdiff_t left = last - p;
    if (left >= 8) {
        return loadEight(p);
    }
    if (left <= 0 || last - first < 8) {
        return loadFew(p, left > 0 ? left : 0);
    }
    return loadEight(last - 8) >> (8 * (8 - left));
}

/// How many of the chunk's bytes, from the first, are '0' to '9' (0 to 8).
/// A byte above '9' carries into its top bit when 0x46 is added, one below
/// '0' borrows into it when 0x30 is taken away; digit bytes do neither, so no
/// carry or borrow reaches the first non-digit.
unsigned leadingDigits(std::uint64_t chunk) noexcept {
    const std::uint64_t nonDigits =
        ((chunk + 0x4646464646464646U) | (chunk - 0x3030303030303030U)) & 0x8080808080808080U;
    if (nonDigits == 0) {
        return 8;
    }
    // The index of the lowest flagged byte, read off a table of indexes by a
    // multiply (no count-trailing-zeros intrinsic needed).
    const std::uint64_t lowest = (nonDigits & (~nonDigits + 1)) >> 7;
    return static_cast<unsigned>((lowest * 0x0001020304050607U) >> 56);
}

/// The value of the chunk's first `count` digits (0 to 8): the digits are
/// moved to the top of the word, so that the cleared bytes below act as
/// leading zeros, and then combined in pairs, quadruples and the whole.
std::uint64_t digitsValue(std::uint64_t chunk, unsigned count) noexcept {
    const unsigned half = 4 * (8 - count); // two shifts, as one of 64 is undefined
    chunk = ((chunk - 0x3030303030303030U) << half) << half;
    chunk = chunk * 10 + (chunk >> 8);
    constexpr std::uint64_t pairs = 0x000000FF000000FFU;
    return (((chunk & pairs) * 0x000F424000000064U) +
            (((chunk >> 16) & pairs) * 0x0000271000000001U)) >>
           32;
}

constexpr std::uint64_t powersOfTen[] = {1,      10,      100,      1000,     10000,
                                         100000, 1000000, 10000000, 100000000};

/// Appends the digits at `p` to `value`, eight at a time, while `room` digits
/// may still be taken, and takes them from `room`; returns where it stopped:
/// at the first non-digit, or where `room` ran out.
inline const char* takeDigits(const char* first, const char* p, const char* last,
                              std::uint64_t& value, unsigned& room) noexcept {
    std::uint64_t sum = value;
    unsigned left = room;
    unsigned count = 8;
    while (count == 8) {
        const std::uint64_t chunk = loadChunk(first, p, last);
        const unsigned found = leadingDigits(chunk);
        count = found < left ? found : left;
        sum = sum * powersOfTen[count] + digitsValue(chunk, count);
        p += count;
        left -= count;
    }
    value = sum;
    room = left;
    return p;
}

/// Nineteen decimal digits always fit 64 bits (10^19 - 1 < 2^64).
constexpr unsigned safeDigits = 19;

// --- integers ------------------------------------------------------------------

/// The leading decimal integer of a text: white space, sign, digits.
struct IntegerText {
    const char* end = nullptr; // one past the last digit taken
    std::uint64_t magnitude = 0;
    bool negative = false;
    bool digits = false;   // at least one digit was taken
    bool overflow = false; // the magnitude does not fit 64 bits
};

IntegerText scanInteger(const char* first, const char* last) noexcept {
    IntegerText text;
    const char* p = skipSpace(first, last);
    text.negative = takeSign(p, last);
    const char* const digits = p;
    unsigned room = safeDigits;
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

/// The low bits of `value` as a T, as two's complement narrowing keeps them.
template <class T> T lowBits(std::int64_t value) noexcept {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<std::uint64_t>(value)));
}

template <class T> T readInteger(const char* first, const char* last) noexcept {
    return lowBits<T>(saturated(scanInteger(first, last)));
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

// --- floating point --------------------------------------------------------------

/// The leading floating-point number of a text, as strtod reads it.
template <class F> struct FloatText {
    F value = 0;
    const char* end = nullptr; // where the number ends; the text start when none
    bool number = false;       // a number was read
    bool outOfRange = false;   // it overflowed to infinity or underflowed to zero
};

/// Exponents beyond this are as good as infinite; it is far above any shift
/// that the digits of a slice (at most 2^32 of them) can make.
constexpr std::int64_t exponentCap = std::int64_t{1} << 40;

/// Reads the digits of an exponent at `p` (after its letter), if a digit
/// follows one optional sign; otherwise leaves `p` alone and returns false.
bool takeExponent(const char*& p, const char* last, std::int64_t& exponent) noexcept {
    const char* q = p;
    const bool negative = takeSign(q, last);
    if (q == last || !isDigit(*q)) {
        return false;
    }
    std::int64_t value = 0;
    for (; q != last && isDigit(*q); ++q) {
        value = value < exponentCap ? value * 10 + (*q - '0') : value;
    }
    exponent = negative ? -value : value;
    p = q;
    return true;
}

/// The bits of a value of type F.
template <class F> using BitsOf = std::conditional_t<sizeof(F) == 8, std::uint64_t, std::uint32_t>;

template <class F> F fromBits(BitsOf<F> bits) noexcept {
    F value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

/// significand * 2^exponent, plus a little more when `sticky` (nonzero bits
/// were dropped below the significand), rounded to F to nearest with ties to
/// even, as strtod rounds. The significand is not 0. Sets `outOfRange` when
/// the result is infinity or zero.
template <class F>
F binaryValue(std::uint64_t significand, std::int64_t exponent, bool sticky,
              bool& outOfRange) noexcept {
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
        outOfRange = true;
        return fromBits<F>(infinity);
    }
    // Normal numbers keep `precision` bits; subnormal ones fewer.
    const std::int64_t keep = top >= minExponent ? precision : precision - (minExponent - top);
    if (keep < 0) {
        outOfRange = true; // below half the least subnormal
        return F(0);
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
    outOfRange = bits == 0 || bits >= infinity;
    return fromBits<F>(bits);
}

/// A hexadecimal number from `p`, just after its "0x": digits, an optional
/// fraction and an optional binary exponent. The caller has made sure that
/// a digit comes first, or a point and a digit.
template <class F> void scanHex(const char* p, const char* last, FloatText<F>& text) noexcept {
    std::uint64_t significand = 0;
    std::int64_t exponent = 0;
    bool sticky = false;
    // Keep digits while a whole one more fits; past that, digits before the
    // point scale the value and any nonzero digit makes it a little larger.
    bool fraction = false;
    for (; p != last; ++p) {
        const int digit = hexValue(*p);
        if (digit < 0) {
            if (*p != '.' || fraction) {
                break;
            }
            fraction = true;
            continue;
        }
        if ((significand >> 60) == 0) {
            significand = significand * 16 + static_cast<unsigned>(digit);
            exponent -= fraction ? 4 : 0;
        } else {
            sticky = sticky || digit != 0;
            exponent += fraction ? 0 : 4;
        }
    }
    if (p != last && (*p | 0x20) == 'p') {
        const char* after = p + 1;
        std::int64_t power = 0;
        if (takeExponent(after, last, power)) {
            exponent += power;
            p = after;
        }
    }
    text.number = true;
    text.end = p;
    text.value =
        significand == 0 ? F(0) : binaryValue<F>(significand, exponent, sticky, text.outOfRange);
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

/// Skips the digits at `p` that the significand has no room for; clears
/// `exact` when one of them is not 0.
const char* skipDigits(const char* p, const char* last, bool& exact) noexcept {
    for (; p != last && isDigit(*p); ++p) {
        exact = exact && *p == '0';
    }
    return p;
}

/// A decimal number from `p`: digits, an optional fraction (digits are needed
/// before or after the point) and an optional exponent.
template <class F>
void scanDecimal(const char* first, const char* p, const char* last, FloatText<F>& text) noexcept {
    const char* const begin = p;
    // The value is significand * 10^exponent, exactly while `exact` holds;
    // leading zeros are skipped so that the significand's digits are
    // significant ones.
    std::uint64_t significand = 0;
    std::int64_t exponent = 0;
    bool exact = true;
    unsigned room = safeDigits;
    while (p != last && *p == '0') {
        ++p;
    }
    p = takeDigits(first, p, last, significand, room);
    if (room == 0) {
        const char* const dropped = p;
        p = skipDigits(p, last, exact);
        exponent += p - dropped; // digits before the point scale the value
    }
    bool digits = p != begin;
    if (p != last && *p == '.') {
        const char* const point = ++p;
        if (significand == 0) {
            while (p != last && *p == '0') {
                ++p;
            }
            exponent -= p - point;
        }
        const char* const taken = p;
        p = takeDigits(first, p, last, significand, room);
        exponent -= p - taken;
        if (room == 0) {
            p = skipDigits(p, last, exact);
        }
        digits = digits || p != point;
    }
    if (!digits) {
        return;
    }
    if (p != last && (*p | 0x20) == 'e') {
        const char* after = p + 1;
        std::int64_t power = 0;
        if (takeExponent(after, last, power)) {
            exponent += power;
            p = after;
        }
    }
    text.number = true;
    text.end = p;
    using Exact = ExactDecimal<F>;
    constexpr auto exactPowers = static_cast<std::int64_t>(sizeof Exact::powers / sizeof(F));
    if (significand == 0) {
        text.value = F(0);
    } else if (roundsOnce && exact && significand <= Exact::largest && exponent > -exactPowers &&
               exponent < exactPowers) {
        const auto whole = static_cast<F>(significand);
        text.value =
            exponent < 0 ? whole / Exact::powers[-exponent] : whole * Exact::powers[exponent];
    } else {
        const std::from_chars_result result = std::from_chars(begin, p, text.value);
        if (result.ec == std::errc::result_out_of_range) {
            // The significand holds the leading significant digits, so the
            // sign of the power of ten tells overflow from underflow: the range
            // of F lies hundreds of powers away on either side.
            text.outOfRange = true;
            text.value = exponent > 0 ? std::numeric_limits<F>::infinity() : F(0);
        } else if (result.ec != std::errc() || result.ptr != p) {
            text.value = F(0); // not expected: the scan above found a number there
        }
    }
}

/// "inf", "infinity" or "nan", case-blind; "nan" may be followed by letters,
/// digits and '_' in parentheses.
template <class F> void scanWord(const char* p, const char* last, FloatText<F>& text) noexcept {
    if (startsWithWord(p, last, "inf")) {
        p += startsWithWord(p, last, "infinity") ? 8 : 3;
        text.value = std::numeric_limits<F>::infinity();
    } else if (startsWithWord(p, last, "nan")) {
        p += 3;
        const char* q = p;
        if (q != last && *q == '(') {
            ++q;
            while (q != last && (isDigit(*q) || *q == '_' || isLetter(*q))) {
                ++q;
            }
            if (q != last && *q == ')') {
                p = q + 1; // without the closing one, only "nan" is taken
            }
        }
        text.value = std::numeric_limits<F>::quiet_NaN();
    } else {
        return;
    }
    text.number = true;
    text.end = p;
}

template <class F> FloatText<F> scanFloat(const char* first, const char* last) noexcept {
    FloatText<F> text;
    text.end = first;
    const char* p = skipSpace(first, last);
    const bool negative = takeSign(p, last);
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
    if (negative && text.number) {
        text.value = -text.value;
    }
    return text;
}

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
    out = readInteger<short>(chars, chars + usable());
}

void StrSlice::toNumber(unsigned short& out) const noexcept {
    out = readInteger<unsigned short>(chars, chars + usable());
}

void StrSlice::toNumber(int& out) const noexcept {
    out = readInteger<int>(chars, chars + usable());
}

void StrSlice::toNumber(unsigned int& out) const noexcept {
    out = readInteger<unsigned int>(chars, chars + usable());
}

void StrSlice::toNumber(long& out) const noexcept {
    out = readInteger<long>(chars, chars + usable());
}

void StrSlice::toNumber(unsigned long& out) const noexcept {
    out = readInteger<unsigned long>(chars, chars + usable());
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

bool StrSlice::parseNumber(long long& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned long long& out) const noexcept {
    return parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(float& out) const noexcept {
    return parseFloating(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(double& out) const noexcept {
    return parseFloating(chars, chars + usable(), out);
}

} // namespace conkit
