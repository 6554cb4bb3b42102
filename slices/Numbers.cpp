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
//
// The scanners live in slices/detail: DecimalChunks.h reads digits eight at a
// time, IntegerScan the integers, FloatScan the floating-point forms. This
// file holds the members that call them.
#include "slices/StrSlice.h"

#include "slices/detail/FloatScan.h"
#include "slices/detail/IntegerScan.h"

namespace conkit {

void StrSlice::toNumber(short& out) const noexcept {
    out = detail::lowBits<short>(detail::readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned short& out) const noexcept {
    out = detail::lowBits<unsigned short>(detail::readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(int& out) const noexcept {
    out = detail::lowBits<int>(detail::readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned int& out) const noexcept {
    out = detail::lowBits<unsigned int>(detail::readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(long& out) const noexcept {
    out = detail::lowBits<long>(detail::readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(unsigned long& out) const noexcept {
    out = detail::lowBits<unsigned long>(detail::readInteger(chars, chars + usable()));
}

void StrSlice::toNumber(float& out) const noexcept {
    out = detail::narrowToFloat(detail::readDouble(chars, chars + usable()));
}

void StrSlice::toNumber(double& out) const noexcept {
    out = detail::readDouble(chars, chars + usable());
}

bool StrSlice::parseNumber(short& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned short& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(int& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned int& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(long& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned long& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(long long& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(unsigned long long& out) const noexcept {
    return detail::parseInteger(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(float& out) const noexcept {
    return detail::parseFloating(chars, chars + usable(), out);
}

bool StrSlice::parseNumber(double& out) const noexcept {
    return detail::parseFloating(chars, chars + usable(), out);
}

} // namespace conkit
