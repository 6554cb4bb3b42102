// Which characters are letters, and which short names a user can type as
// "-x", in each syntax.
#pragma once

#include "options/OptionParser.h"

namespace conkit::detail {

/// True for 'A' to 'Z' and 'a' to 'z' only. Works on the `char` itself, so a
/// byte from 0x80 upward (negative where `char` is signed) is simply not a
/// letter and never reaches a <cctype> routine.
constexpr bool isAsciiLetter(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

/// True when an option whose short name is `c` has a short form "-c" in
/// `syntax`: the form the help text shows, the completion offers and the
/// clash check compares. Classic: an ASCII letter (its lookup by a
/// one-character name still compares any character). Gnu: any printable
/// ASCII character other than the blank, which is also exactly what a bundle
/// accepts.
constexpr bool isShortForm(char c, Syntax syntax) noexcept {
    return syntax == Syntax::classic ? isAsciiLetter(c) : c > ' ' && c <= '~';
}

/// True when `option` was defined with a short name only, its long name being
/// that character: the gnu syntax shows it as "-x" alone, with no "--x".
inline bool isShortOnly(const OptionParser::Option& option, Syntax syntax) noexcept {
    return syntax == Syntax::gnu && option.longName.size() == 1 &&
           option.longName[0] == option.shortName && isShortForm(option.shortName, syntax);
}

} // namespace conkit::detail
