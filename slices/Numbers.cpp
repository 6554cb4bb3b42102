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

#include "slices/detail/Hints.h"

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

/// Takes an optional '+' or '-' at `p`; returns true for '-'. Without a
/// branch on the sign, which is as random as the numbers are.
bool takeSign(const char*& p, const char* last) noexcept {
    const char c = p != last ? *p : '\0';
    const bool minus = c == '-';
    p += static_cast<int>(minus) | static_cast<int>(c == '+');
    return minus;
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

std::uint64_t loadFour(const char* p) noexcept {
    std::uint32_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return isLittleEndian() ? word : byteSwapped(word) >> 32;
}

/// The byte at `p` + `index`, moved to byte `index` of a chunk.
std::uint64_t byteAt(const char* p, std::ptrdiff_t index) noexcept {
    return std::uint64_t{static_cast<unsigned char>(p[index])} << (8 * index);
}

/// The `count` (0 to 7) characters at `p` as a chunk. Two loads that may
/// overlap cover them: four bytes from each end, or the first, middle and
/// last byte of fewer than four. A byte loaded twice lands in the same place
/// both times, so or-ing the loads is exact; and a loop whose length changed
/// with every number would cost a mispredicted branch each time.
std::uint64_t loadFew(const char* p, std::ptrdiff_t count) noexcept {
    if (count >= 4) {
        return loadFour(p) | (loadFour(p + count - 4) << (8 * (count - 4)));
    }
    if (count <= 0) {
        return 0;
    }
    return byteAt(p, 0) | byteAt(p, count / 2) | byteAt(p, count - 1);
}

/// The characters from `p` on, up to eight and never at or past `last`, as a
/// chunk; missing bytes are 0. `first` is the start of the slice: when fewer
/// than eight characters are left, the last eight of the slice are loaded and
/// shifted down, so no byte outside the slice is read. Inline, as the inner
/// step of both digit loops.
inline std::uint64_t loadChunk(const char* first, const char* p, const char* last) noexcept {
    const std::ptrdiff_t left = last - p;
    if (left >= 8) {
        return loadEight(p);
    }
    if (left <= 0 || last - first < 8) {
        return loadFew(p, left);
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
const char* takeDigits(const char* first, const char* p, const char* last, std::uint64_t& value,
                       unsigned& room) noexcept {
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

IntegerText scanInteger(const char* first, const char* last) noexcept {
    const char* p = skipSpace(first, last);
    const bool negative = takeSign(p, last);
    return scanDigits(first, p, p, last, 0, negative);
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

/// `readInteger` for a number that starts with white space.
CONKIT_NOINLINE std::int64_t readSpacedInteger(const char* first, const char* last) noexcept {
    return saturated(scanInteger(first, last));
}

/// `readInteger` for a number of sixteen digits or more, at `digits`.
CONKIT_NOINLINE std::int64_t readLongInteger(const char* first, const char* digits,
                                             const char* last, bool negative) noexcept {
    return saturated(scanDigits(first, digits, digits, last, 0, negative));
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
template <class F> Rounded<F> valueOf(const FloatText& text) noexcept {
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
    return valueOf<double>(scanFloat(first, last)).value;
}

template <class F> bool parseFloating(const char* first, const char* last, F& out) noexcept {
    const FloatText text = scanFloat(first, last);
    if (text.form == FloatForm::none || text.end != last) {
        return false;
    }
    const Rounded<F> rounded = valueOf<F>(text);
    if (rounded.outOfRange) {
        return false;
    }
    out = rounded.value;
    return true;
}

} // namespace

void StrSlice::toNumber(short& out) const noexcept {
    out = lowBits<short>(readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned short& out) const noexcept {
    out = lowBits<unsigned short>(readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(int& out) const noexcept {
    out = lowBits<int>(readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned int& out) const noexcept {
    out = lowBits<unsigned int>(readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(long& out) const noexcept {
    out = lowBits<long>(readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned long& out) const noexcept {
    out = lowBits<unsigned long>(readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(float& out) const noexcept {
    out = narrowToFloat(readDouble(chars, chars + usable()));
}

void StrSlice::toNumber(double& out) const noexcept {
    out = readDouble(chars, chars + usable());
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
