// Floating-point numbers as 64-bit glibc's strtod reads them, rounded
// correctly without calling it. Internal: not installed.
#pragma once

namespace conkit::detail {

/// What toNumber reads into a double: the leading number of the text from
/// `first` to `last`, 0 when there is none.
double readDouble(const char* first, const char* last) noexcept;

/// Narrows a double to float as the hardware rounds: to nearest, overflowing
/// to infinity from FLT_MAX plus half its spacing on. The explicit overflow
/// keeps the conversion defined for every input.
float narrowToFloat(double value) noexcept;

/// What parseNumber reads into F: true and `out` set when the whole text is
/// one number whose value F holds (after rounding to F).
bool parseFloating(const char* first, const char* last, float& out) noexcept;
bool parseFloating(const char* first, const char* last, double& out) noexcept;

} // namespace conkit::detail
