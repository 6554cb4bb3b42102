// The reference model of numeric conversion, shared by the unit tests and the
// fuzz target: what 64-bit glibc reads from a text, and what toNumber and
// parseNumber must answer for it on every platform.
#pragma once

#include "slices/StrSlice.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <type_traits>

#if defined(__GLIBC__)
#include <cerrno>
#include <cstdlib>
#endif

namespace conkit_test {

/// What 64-bit glibc reads from the start of a text (up to its first NUL).
struct NumberReading {
    std::int64_t integer = 0; // strtol with a 64-bit long: saturated at the 64-bit range
    double real = 0;          // strtod
};

/// What glibc's checked reading of the whole text says: for each kind of
/// number, whether the text is one such number, whole and in range.
struct WholeReading {
    bool integer = false;            // strtoll took every character and a digit, without overflow
    bool unsignedInteger = false;    // so did strtoull, with no minus sign unless the value is 0
    std::uint64_t unsignedValue = 0; // strtoull's value
    bool real = false;               // strtod took every character, giving neither an infinity
                                     // from overflow nor a zero from underflow
    bool single = false;             // the same for strtof
    float singleValue = 0;           // strtof's value: rounded once, to float
};

/// The low bits of `value` as a T, as two's complement narrowing keeps them.
template <class T> T lowBits(std::int64_t value) {
    return static_cast<T>(static_cast<std::make_unsigned_t<T>>(static_cast<std::uint64_t>(value)));
}

/// `value` rounded to float to nearest, ties to even, as the hardware narrows;
/// past FLT_MAX's rounding range (FLT_MAX plus half its spacing) it is infinity.
/// The explicit overflow keeps the conversion defined in C++.
inline float narrowed(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude > static_cast<double>(FLT_MAX)) {
        const float bound = magnitude >= static_cast<double>(FLT_MAX) + 0x1p103
                                ? std::numeric_limits<float>::infinity()
                                : FLT_MAX;
        return std::signbit(value) ? -bound : bound;
    }
    return static_cast<float>(value);
}

/// The results of the eight toNumber forms for one text.
struct Converted {
    short s = 0;
    unsigned short us = 0;
    int i = 0;
    unsigned u = 0;
    long l = 0;
    unsigned long ul = 0;
    float f = 0;
    double d = 0;
};

/// What toNumber gives for `slice` in each type.
inline Converted convertAll(const conkit::StrSlice& slice) {
    Converted out;
    slice.toNumber(out.s);
    slice.toNumber(out.us);
    slice.toNumber(out.i);
    slice.toNumber(out.u);
    slice.toNumber(out.l);
    slice.toNumber(out.ul);
    slice.toNumber(out.f);
    slice.toNumber(out.d);
    return out;
}

/// What toNumber must give, on every platform, for a text with this reading:
/// the low bits of the 64-bit integer, the double, and the double narrowed.
inline Converted expectedFor(const NumberReading& reading) {
    Converted out;
    out.s = lowBits<short>(reading.integer);
    out.us = lowBits<unsigned short>(reading.integer);
    out.i = lowBits<int>(reading.integer);
    out.u = lowBits<unsigned>(reading.integer);
    out.l = lowBits<long>(reading.integer);
    out.ul = lowBits<unsigned long>(reading.integer);
    out.f = narrowed(reading.real);
    out.d = reading.real;
    return out;
}

/// Equal values, zeros of the same sign, or NaN of the same sign on both
/// sides (NaN payloads are not compared).
template <class T> bool sameNumber(T a, T b) {
    if constexpr (std::is_floating_point_v<T>) {
        if (std::isnan(a) || std::isnan(b)) {
            return std::isnan(a) && std::isnan(b) && std::signbit(a) == std::signbit(b);
        }
        return a == b && std::signbit(a) == std::signbit(b);
    } else {
        return a == b;
    }
}

/// The name of the first type in which `got` differs from `want`, or nullptr.
inline const char* firstDifference(const Converted& got, const Converted& want) {
    const std::pair<bool, const char*> types[] = {
        {sameNumber(got.s, want.s), "short"}, {sameNumber(got.us, want.us), "unsigned short"},
        {sameNumber(got.i, want.i), "int"},   {sameNumber(got.u, want.u), "unsigned"},
        {sameNumber(got.l, want.l), "long"},  {sameNumber(got.ul, want.ul), "unsigned long"},
        {sameNumber(got.f, want.f), "float"}, {sameNumber(got.d, want.d), "double"}};
    for (const auto& [same, name] : types) {
        if (!same) {
            return name;
        }
    }
    return nullptr;
}

/// Whether parseNumber into T must accept a text with these readings, and
/// with what value when it does.
template <class T>
bool parseAccepts(const NumberReading& reading, const WholeReading& whole, T& value) {
    if constexpr (std::is_same_v<T, float>) {
        value = whole.singleValue;
        return whole.single;
    } else if constexpr (std::is_same_v<T, double>) {
        value = reading.real;
        return whole.real;
    } else if constexpr (std::is_signed_v<T>) {
        value = lowBits<T>(reading.integer);
        return whole.integer && static_cast<std::int64_t>(value) == reading.integer;
    } else {
        value = static_cast<T>(whole.unsignedValue);
        return whole.unsignedInteger && whole.unsignedValue <= std::numeric_limits<T>::max();
    }
}

/// The name of the first type in which parseNumber on `slice` answers
/// otherwise than the readings say, or nullptr.
inline const char* firstParseDifference(const conkit::StrSlice& slice, const NumberReading& reading,
                                        const WholeReading& whole) {
    const char* difference = nullptr;
    const auto check = [&](auto type, const char* name) {
        using T = decltype(type);
        T want{};
        const bool accepts = parseAccepts(reading, whole, want);
        T got{};
        const bool accepted = slice.parseNumber(got);
        if (difference == nullptr &&
            (accepted != accepts || (accepted && !sameNumber(got, want)))) {
            difference = name;
        }
    };
    check(short{}, "short");
    check(static_cast<unsigned short>(0), "unsigned short");
    check(int{}, "int");
    check(unsigned{}, "unsigned");
    check(long{}, "long");
    check(static_cast<unsigned long>(0), "unsigned long");
    check(static_cast<long long>(0), "long long");
    check(static_cast<unsigned long long>(0), "unsigned long long");
    check(float{}, "float");
    check(double{}, "double");
    return difference;
}

/// The hexadecimal number from `digits` (just after its "0x") to `end` (just
/// past its exponent, if any), rounded to F to nearest with ties to even: the
/// significand is written out as a string of bits, and the bits that F has
/// room for are kept.
template <class F> F roundedHex(const char* digits, const char* end, bool negative) {
    std::string bits;
    long long exponent = 0; // of the last bit of `bits`
    bool fraction = false;
    const char* p = digits;
    for (; p != end && *p != 'p' && *p != 'P'; ++p) {
        if (*p == '.') {
            fraction = true;
            continue;
        }
        const int value = *p <= '9' ? *p - '0' : (*p | 0x20) - 'a' + 10;
        for (int bit = 3; bit >= 0; --bit) {
            bits += ((value >> bit) & 1) != 0 ? '1' : '0';
        }
        exponent -= fraction ? 4 : 0;
    }
    if (p != end) {
        // The exponent's digits, saturated: any beyond 2^40 is as good as infinite.
        const bool minus = p[1] == '-';
        long long power = 0;
        for (p += p[1] == '-' || p[1] == '+' ? 2 : 1; p != end; ++p) {
            power = std::min(power * 10 + (*p - '0'), 1LL << 40);
        }
        exponent += minus ? -power : power;
    }
    bits.erase(0, std::min(bits.find('1'), bits.size()));
    F magnitude = 0;
    if (!bits.empty()) {
        const auto length = static_cast<long long>(bits.size());
        const long long top = exponent + length - 1; // the value is in [2^top, 2^(top + 1))
        constexpr int precision = std::numeric_limits<F>::digits;
        constexpr int minExponent = std::numeric_limits<F>::min_exponent - 1;
        // Subnormal values have fewer bits.
        const long long keep = top >= minExponent ? precision : precision - (minExponent - top);
        if (top >= std::numeric_limits<F>::max_exponent) {
            magnitude = std::numeric_limits<F>::infinity();
        } else if (keep >= 0) {
            std::uint64_t kept = 0;
            for (long long i = 0; i < keep; ++i) {
                kept = kept * 2 + (i < length && bits[static_cast<std::size_t>(i)] == '1' ? 1 : 0);
            }
            const bool half = keep < length && bits[static_cast<std::size_t>(keep)] == '1';
            const bool rest =
                keep + 1 < length &&
                bits.find('1', static_cast<std::size_t>(keep + 1)) != std::string::npos;
            kept += half && (rest || kept % 2 == 1) ? 1 : 0;
            magnitude = std::ldexp(static_cast<F>(kept), static_cast<int>(top - keep + 1));
        }
    }
    return negative ? -magnitude : magnitude;
}

#if defined(__GLIBC__)
// Where the C library is glibc, its strtoll, strtoull, strtod and strtof are
// the reference itself, and tests compare with them directly.

/// `value`, which strtod or strtof read from `start` and ended at `end`.
/// glibc 2.36 rounds some hexadecimal numbers with subnormal results the
/// wrong way, in strtod and strtof alike (0xc3e9b4d219d70.cp-1074 gives
/// ...d70 where ...d71 is nearest), so hexadecimal values come from
/// roundedHex instead; glibc still says where the number ends.
template <class F> F glibcValue(const char* start, const char* end, F value) {
    const char* p = start;
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) {
        ++p;
    }
    const bool negative = *p == '-';
    p += *p == '-' || *p == '+' ? 1 : 0;
    const bool hex = p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && end > p + 1;
    return hex ? roundedHex<F>(p + 2, end, negative) : value;
}

/// Reads the NUL-terminated `text` as glibc does (strtoll is 64-bit on every
/// glibc platform, so this is strtol with a 64-bit long).
inline NumberReading readWithGlibc(const std::string& text) {
    NumberReading reading;
    reading.integer = std::strtoll(text.c_str(), nullptr, 10);
    char* end = nullptr;
    const double real = std::strtod(text.c_str(), &end);
    reading.real = glibcValue(text.c_str(), end, real);
    return reading;
}

/// Reads the whole of `text` (a NUL inside it ends every reading early).
inline WholeReading wholeWithGlibc(const std::string& text) {
    const char* const start = text.c_str();
    const char* const stop = start + text.size();
    WholeReading whole;
    char* end = nullptr;
    errno = 0;
    (void)std::strtoll(start, &end, 10);
    whole.integer = end == stop && end != start && errno == 0;
    errno = 0;
    whole.unsignedValue = std::strtoull(start, &end, 10);
    const char* sign = start;
    while (*sign == ' ' || (*sign >= '\t' && *sign <= '\r')) {
        ++sign;
    }
    whole.unsignedInteger =
        end == stop && end != start && errno == 0 && (*sign != '-' || whole.unsignedValue == 0);
    errno = 0;
    const double strtodValue = std::strtod(start, &end);
    const bool realRange = errno == ERANGE;
    const double real = glibcValue(start, end, strtodValue);
    whole.real = end == stop && end != start && !(realRange && (real == 0 || std::isinf(real)));
    errno = 0;
    const float single = std::strtof(start, &end);
    const bool singleRange = errno == ERANGE;
    whole.singleValue = glibcValue(start, end, single);
    whole.single = end == stop && end != start &&
                   !(singleRange && (whole.singleValue == 0 || std::isinf(whole.singleValue)));
    return whole;
}
#endif

} // namespace conkit_test
