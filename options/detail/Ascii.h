// Locale-free character classes used by the option parser.
#pragma once

namespace conkit::detail {

/// True for 'A' to 'Z' and 'a' to 'z' only. Works on the `char` itself, so a
/// byte from 0x80 upward (negative where `char` is signed) is simply not a
/// letter and never reaches a <cctype> routine.
constexpr bool isAsciiLetter(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace conkit::detail
