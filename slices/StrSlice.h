// StrSlice: a non-owning view of 8-bit characters with comparisons, searches,
// cuts, tests, numeric conversion and splitting. CharSplitter, StrSplitter and
// BlankSplitter (slices/Tokenizers.h, included at the end) walk a text token
// by token.
#pragma once

#include "slices/Export.h"

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string_view>
#include <type_traits>

namespace conkit {

/// A pointer and a 32-bit count that view characters owned by someone else.
///
/// Nothing here allocates, copies or writes characters; every cut, split part
/// and token points into the same characters, which must outlive the slice.
/// The characters need not be NUL-terminated, and NUL is an ordinary byte.
/// A slice is empty when its pointer is null or its count is 0; a slice whose
/// pointer is null reads as empty in every operation, whatever its count. The
/// null slice (null pointer, count 0) is what "nothing" looks like: the default
/// slice, `clear()`, and a cut that starts at or beyond the end.
///
/// Searches return the position of the match as a signed 32-bit number, or -1.
/// Positions from 2^31 on do not fit that result, so searches never report
/// them: a match that begins there counts as no match.
///
/// The header stays light: it includes `<string_view>`, not `<string>` or
/// `<ostream>`. Where the caller includes `<string>`, a `std::string` converts
/// to a slice and compares with one; printing a slice needs `<ostream>` there.
///
/// Example:
/// \code
///   conkit::StrSlice line("name=value");
///   conkit::StrSlice key, value;
///   if (line.split('=', key, value) == 2 && key.equals("name")) {
///       // value views "value" inside `line`'s characters.
///   }
/// \endcode
class CONKIT_SLICES_API StrSlice {
    /// The text types that convert to a slice through `std::string_view`:
    /// those that convert to a view but not to a character pointer (which
    /// has its own constructor), slices themselves left out.
    template <class Text>
    static constexpr bool isText = !std::is_base_of_v<StrSlice, Text> &&
                                   std::is_convertible_v<const Text&, std::string_view> &&
                                   !std::is_convertible_v<const Text&, const char*>;

public:
    /// Start position of `rfind(char, start)` that means "from the last
    /// character"; also the largest count a slice can have.
    static constexpr std::uint32_t npos = 0xFFFFFFFFu;

    /// @name Construction and re-pointing
    /// @{

    /// The null slice.
    constexpr StrSlice() noexcept = default;
    /// Views the NUL-terminated `text` (without its NUL); a null `text` gives
    /// the null slice. A text longer than `npos` is viewed up to `npos` bytes.
    StrSlice(const char* text) noexcept // NOLINT(google-explicit-constructor)
        : chars(text),
          charCount(text != nullptr ? clampCount(std::char_traits<char>::length(text)) : 0) {}
    /// Views `count` characters from `first`; nothing is checked.
    constexpr StrSlice(const char* first, std::uint32_t count) noexcept
        : chars(first), charCount(count) {}
    /// Views the characters of `text`, up to `npos` of them: a
    /// `std::string_view`, a `std::string` (which must outlive the slice) or
    /// any other text that converts to `std::string_view` but not to a
    /// character pointer.
    template <class Text, std::enable_if_t<isText<Text>, int> = 0>
    StrSlice(const Text& text) noexcept // NOLINT(google-explicit-constructor)
        : StrSlice(fromView(text)) {}
    /// Re-points the slice at the NUL-terminated `text`; no character is
    /// written anywhere.
    StrSlice& operator=(const char* text) noexcept { return *this = StrSlice(text); }
    /// Re-points the slice at `count` characters from `first`.
    void assign(const char* first, std::uint32_t count) noexcept { *this = StrSlice(first, count); }
    /// Re-points the slice at the characters `other` views.
    void assign(const StrSlice& other) noexcept { *this = other; }
    /// Makes this the null slice.
    void clear() noexcept { *this = StrSlice(); }
    /// @}

    /// @name Access
    /// @{

    /// The first character; null for the null slice.
    [[nodiscard]] constexpr const char* data() const noexcept { return chars; }
    /// Same as `data()`.
    [[nodiscard]] constexpr const char* begin() const noexcept { return chars; }
    /// One past the last character; null when the pointer is null.
    [[nodiscard]] constexpr const char* end() const noexcept {
        return chars != nullptr ? chars + charCount : nullptr;
    }
    /// The count of characters, as given.
    [[nodiscard]] constexpr std::uint32_t size() const noexcept { return charCount; }
    /// Same as `size()`.
    [[nodiscard]] constexpr std::uint32_t length() const noexcept { return charCount; }
    /// The character at `index`, which must be below `size()` (checked only by
    /// an assertion in debug builds, as for `std::string_view`).
    [[nodiscard]] char operator[](std::uint32_t index) const noexcept {
        assert(chars != nullptr && index < charCount);
        return chars[index];
    }
    /// True when the pointer is null or the count is 0.
    [[nodiscard]] constexpr bool isEmpty() const noexcept {
        return chars == nullptr || charCount == 0;
    }
    /// Same as `isEmpty()`, under `std::string_view`'s name.
    [[nodiscard]] constexpr bool empty() const noexcept { return isEmpty(); }
    /// Drops the first `count` characters and returns true; returns false and
    /// changes nothing when `count` exceeds the characters there are.
    bool advance(std::uint32_t count) noexcept {
        if (count > usable()) {
            return false;
        }
        if (count != 0) { // a null pointer is never moved
            chars += count;
            charCount -= count;
        }
        return true;
    }
    /// The same characters as a `std::string_view` (empty when the pointer is
    /// null).
    operator std::string_view() const noexcept { // NOLINT(google-explicit-constructor)
        return {chars, usable()};
    }
    /// @}

    /// @name Comparison
    /// Ordinal comparison orders by the first differing byte, taken as unsigned
    /// (0x80 to 0xFF after ASCII), then by length; every byte counts, NUL
    /// included. It returns -1, 0 or 1. Case-blind comparison folds 'A' to 'Z'
    /// only, orders differing bytes as signed values (0x80 to 0xFF before
    /// ASCII), then by length, and returns -1, 0 or 1.
    /// @{

    /// Compares with `count` characters from `sought`. A null `sought` is read
    /// as no characters: a non-empty slice orders after it, and an empty slice
    /// orders by the counts alone.
    [[nodiscard]] int compare(const char* sought, std::uint32_t count) const noexcept;
    /// Compares with the NUL-terminated `text`.
    [[nodiscard]] int compare(const char* text) const noexcept { return compare(StrSlice(text)); }
    /// Compares with the characters `other` views.
    [[nodiscard]] int compare(const StrSlice& other) const noexcept {
        return compare(other.chars, other.usable());
    }
    /// Compares case-blind with `count` characters from `sought`.
    [[nodiscard]] int compareNoCase(const char* sought, std::uint32_t count) const noexcept;
    /// Compares case-blind with the NUL-terminated `text`.
    [[nodiscard]] int compareNoCase(const char* text) const noexcept {
        return compareNoCase(StrSlice(text));
    }
    /// Compares case-blind with the characters `other` views.
    [[nodiscard]] int compareNoCase(const StrSlice& other) const noexcept {
        return compareNoCase(other.chars, other.usable());
    }
    /// `compare(other) < 0`.
    [[nodiscard]] bool operator<(const StrSlice& other) const noexcept {
        return compare(other) < 0;
    }
    /// `compare(other) > 0`.
    [[nodiscard]] bool operator>(const StrSlice& other) const noexcept {
        return compare(other) > 0;
    }
    /// `compare(other) <= 0`.
    [[nodiscard]] bool operator<=(const StrSlice& other) const noexcept {
        return compare(other) <= 0;
    }
    /// `compare(other) >= 0`.
    [[nodiscard]] bool operator>=(const StrSlice& other) const noexcept {
        return compare(other) >= 0;
    }
    /// `equals(other)`.
    [[nodiscard]] bool operator==(const StrSlice& other) const noexcept { return equals(other); }
    /// `!equals(other)`.
    [[nodiscard]] bool operator!=(const StrSlice& other) const noexcept { return !equals(other); }
    /// Equality with a `std::string`, `std::string_view` or similar text, on
    /// either side. A view converts both ways, so these exact matches keep
    /// `slice == view` from being ambiguous.
    template <class Text, std::enable_if_t<isText<Text>, int> = 0>
    [[nodiscard]] friend bool operator==(const StrSlice& slice, const Text& text) noexcept {
        return slice.equals(StrSlice(text));
    }
    template <class Text, std::enable_if_t<isText<Text>, int> = 0>
    [[nodiscard]] friend bool operator==(const Text& text, const StrSlice& slice) noexcept {
        return slice.equals(StrSlice(text));
    }
    template <class Text, std::enable_if_t<isText<Text>, int> = 0>
    [[nodiscard]] friend bool operator!=(const StrSlice& slice, const Text& text) noexcept {
        return !slice.equals(StrSlice(text));
    }
    template <class Text, std::enable_if_t<isText<Text>, int> = 0>
    [[nodiscard]] friend bool operator!=(const Text& text, const StrSlice& slice) noexcept {
        return !slice.equals(StrSlice(text));
    }
    /// Equality with a NUL-terminated text on the left: `"abc" == slice`.
    [[nodiscard]] friend bool operator==(const char* text, const StrSlice& slice) noexcept {
        return slice.equals(text);
    }
    [[nodiscard]] friend bool operator!=(const char* text, const StrSlice& slice) noexcept {
        return !slice.equals(text);
    }
    /// True when both hold the same bytes.
    [[nodiscard]] bool equals(const StrSlice& other) const noexcept {
        return usable() == other.usable() && compare(other) == 0;
    }
    /// True when the slice holds exactly the NUL-terminated `text`.
    [[nodiscard]] bool equals(const char* text) const noexcept { return equals(StrSlice(text)); }
    /// True when both hold the same bytes, 'A' to 'Z' matching 'a' to 'z'.
    [[nodiscard]] bool equalsNoCase(const StrSlice& other) const noexcept {
        return compareNoCase(other) == 0;
    }
    /// @}

    /// @name Search
    /// Results are positions from the first character, or -1. A search checks
    /// its start (or trailing count) and the sought count against `size()`
    /// first; only then does a null `sought` count as the empty text.
    /// @{

    /// Returns the first position at or after `start` holding `c`; -1 when
    /// there is none or `start` is not below `size()`.
    [[nodiscard]] std::int32_t find(char c, std::uint32_t start = 0) const noexcept;
    /// Returns the first position at or after `start` where the `count`
    /// characters at `sought` begin. Returns -1 when `start` is not below
    /// `size()` (so any search in an empty slice fails) or `start + count`
    /// exceeds `size()`; an empty text is found at `start`.
    [[nodiscard]] std::int32_t find(const char* sought, std::uint32_t count,
                                    std::uint32_t start) const noexcept;
    /// As above, for the NUL-terminated `text`.
    [[nodiscard]] std::int32_t find(const char* text, std::uint32_t start = 0) const noexcept {
        const StrSlice sought(text);
        return find(sought.chars, sought.charCount, start);
    }
    /// As above, for the characters `sought` views.
    [[nodiscard]] std::int32_t find(const StrSlice& sought,
                                    std::uint32_t start = 0) const noexcept {
        return find(sought.chars, sought.usable(), start);
    }
    /// As `find(sought, start)`, with 'A' to 'Z' matching 'a' to 'z' and every
    /// other byte only itself.
    [[nodiscard]] std::int32_t findNoCase(const StrSlice& sought,
                                          std::uint32_t start = 0) const noexcept;
    /// Returns the last position at or before `start` holding `c`, or -1. A
    /// `start` at or beyond `size()` (`npos` among them) searches from the last
    /// character.
    [[nodiscard]] std::int32_t rfind(char c, std::uint32_t start = npos) const noexcept;
    /// Returns the last position where the `count` characters at `sought` lie
    /// wholly within the slice less its last `trailing` characters. Returns -1
    /// when `trailing` is not below `size()` or `trailing + count` exceeds
    /// `size()`; an empty text is found at `size() - trailing`.
    [[nodiscard]] std::int32_t rfind(const char* sought, std::uint32_t count,
                                     std::uint32_t trailing) const noexcept;
    /// As above, for the NUL-terminated `text`.
    [[nodiscard]] std::int32_t rfind(const char* text, std::uint32_t trailing = 0) const noexcept {
        const StrSlice sought(text);
        return rfind(sought.chars, sought.charCount, trailing);
    }
    /// As above, for the characters `sought` views.
    [[nodiscard]] std::int32_t rfind(const StrSlice& sought,
                                     std::uint32_t trailing = 0) const noexcept {
        return rfind(sought.chars, sought.usable(), trailing);
    }
    /// True when the slice holds `c` anywhere (at any position, 2^31 and
    /// beyond included).
    [[nodiscard]] bool contains(char c) const noexcept;
    /// True when the characters `sought` views stand anywhere in the slice.
    /// An empty `sought` is contained in every slice, the empty one included.
    [[nodiscard]] bool contains(const StrSlice& sought) const noexcept;
    /// @}

    /// @name Cuts and tests
    /// @{

    /// Returns the slice of up to `count` characters from `start` (fewer when
    /// the slice ends first); the null slice when `start` is not below `size()`.
    [[nodiscard]] StrSlice substr(std::uint32_t start, std::uint32_t count = npos) const noexcept;
    /// Returns the characters from `begin` up to, not including, `end` (cut back
    /// to `size()`); the null slice when `begin` is not below `size()` or `end`
    /// is below `begin`.
    [[nodiscard]] StrSlice subRange(std::uint32_t begin, std::uint32_t end) const noexcept;
    /// The slice without its leading and trailing blanks, tabs, CRs and LFs.
    /// It points at the first other character; a slice of nothing but those
    /// gives an empty slice at its end, and the null slice gives itself.
    [[nodiscard]] StrSlice trim() const noexcept;
    /// True when the slice is not empty and holds only '0' to '9'.
    [[nodiscard]] bool isDigits() const noexcept;
    /// True when the slice begins with the `count` characters at `sought`;
    /// always true for a `count` of 0, false when `count` exceeds `size()`.
    [[nodiscard]] bool hasPrefix(const char* sought, std::uint32_t count) const noexcept;
    /// True when the slice begins with the NUL-terminated `text`.
    [[nodiscard]] bool hasPrefix(const char* text) const noexcept {
        const StrSlice sought(text);
        return hasPrefix(sought.chars, sought.charCount);
    }
    /// True when the slice ends with the `count` characters at `sought`; always
    /// true for a `count` of 0, false when `count` exceeds `size()`.
    [[nodiscard]] bool hasSuffix(const char* sought, std::uint32_t count) const noexcept;
    /// True when the slice ends with the NUL-terminated `text`.
    [[nodiscard]] bool hasSuffix(const char* text) const noexcept {
        const StrSlice sought(text);
        return hasSuffix(sought.chars, sought.charCount);
    }
    /// @}

    /// @name Numeric conversion
    /// Both forms read the slice as 64-bit glibc's `strtol` and `strtod` read a
    /// NUL-terminated copy of it, and give the same answer on every platform,
    /// whatever its `long` and its C library: optional leading white space
    /// (blank, tab, newline, vertical tab, form feed, carriage return), an
    /// optional sign, then
    /// - for the integer types, decimal digits, read as a 64-bit value that
    ///   saturates at the 64-bit range;
    /// - for `float` and `double`, a decimal number with an optional fraction
    ///   and exponent ("-1.5e3"), a hexadecimal one with an optional fraction
    ///   and binary exponent ("0x1.8p3"), "inf", "infinity" or "nan" (with an
    ///   optional "(letters, digits, _)"), all case-blind. Values are rounded
    ///   correctly to `double`, to nearest with ties to even, subnormal ones
    ///   included; too large gives infinity and too small zero.
    /// The number ends at the first byte that cannot continue it, at a NUL or
    /// at the end of the slice: nothing past the slice is read, and nothing is
    /// allocated.
    ///
    /// `toNumber` always writes `out`: the integer types keep the low bits of
    /// the 64-bit value, as two's complement narrowing does ("-1" into
    /// `unsigned short` is 0xFFFF, "2147483648" into `int` is -2147483648, and
    /// a 32-bit `long` gets the same low bits as a 64-bit one would); `float`
    /// gets the `double` rounded to nearest, infinity beyond `FLT_MAX`'s
    /// rounding range. Text that does not begin with a number, and an empty
    /// slice, give 0. NaN results are NaN of the text's sign, without the
    /// payload bits that glibc derives from "nan(chars)".
    ///
    /// `parseNumber` is the checked form: it returns true and writes `out` only
    /// when the whole slice is one number, after optional leading white space
    /// and a sign, and the value fits the type ("-1" fits no unsigned type but
    /// "-0" does; "1e40" fits no `float`, "1e-400" no floating type, though
    /// subnormal values fit). Floating values are rounded once, to the type
    /// itself; "inf" and "nan" are accepted. On false, `out` is untouched.
    /// @{

    /// Writes the number at the front of the slice to `out`, whatever follows.
    void toNumber(short& out) const noexcept;
    void toNumber(unsigned short& out) const noexcept;
    void toNumber(int& out) const noexcept;
    void toNumber(unsigned int& out) const noexcept;
    void toNumber(long& out) const noexcept;
    void toNumber(unsigned long& out) const noexcept;
    void toNumber(float& out) const noexcept;
    void toNumber(double& out) const noexcept;
    /// @}

    /// @{
    /// Writes the number the whole slice holds to `out` and returns true, when
    /// it fits `out`'s type; otherwise returns false and leaves `out` alone.
    [[nodiscard]] bool parseNumber(short& out) const noexcept;
    [[nodiscard]] bool parseNumber(unsigned short& out) const noexcept;
    [[nodiscard]] bool parseNumber(int& out) const noexcept;
    [[nodiscard]] bool parseNumber(unsigned int& out) const noexcept;
    [[nodiscard]] bool parseNumber(long& out) const noexcept;
    [[nodiscard]] bool parseNumber(unsigned long& out) const noexcept;
    [[nodiscard]] bool parseNumber(long long& out) const noexcept;
    [[nodiscard]] bool parseNumber(unsigned long long& out) const noexcept;
    [[nodiscard]] bool parseNumber(float& out) const noexcept;
    [[nodiscard]] bool parseNumber(double& out) const noexcept;
    /// @}

    /// @name Splitting
    /// @{

    /// Splits at the first `delimiter`. Returns 0 for an empty slice and writes
    /// nothing; 1 when there is no delimiter, with `head` the whole slice and
    /// `tail` the null slice; 2 otherwise, with `head` the characters before
    /// the delimiter and `tail` those after it (either may be empty). `head`
    /// or `tail` may be this slice itself.
    int split(char delimiter, StrSlice& head, StrSlice& tail) const noexcept;
    /// As above, at the first whole occurrence of the NUL-terminated
    /// `delimiter`; an empty delimiter splits before the first character.
    int split(const char* delimiter, StrSlice& head, StrSlice& tail) const noexcept;
    /// Finds the first `open`, then the first `close` after it, writes the
    /// characters between them to `out` and returns true. Returns false, and
    /// leaves `out` alone, when either is missing. `open` and `close` may be
    /// the same character.
    bool between(char open, char close, StrSlice& out) const noexcept;
    /// As above, with NUL-terminated texts; `close` is sought after the whole
    /// of `open`.
    bool between(const char* open, const char* close, StrSlice& out) const noexcept;
    /// @}

private:
    static constexpr std::uint32_t clampCount(std::size_t count) noexcept {
        return count < npos ? static_cast<std::uint32_t>(count) : npos;
    }
    static constexpr StrSlice fromView(std::string_view text) noexcept {
        return StrSlice(text.data(), clampCount(text.size()));
    }
    /// The count of characters that may be read: 0 when the pointer is null.
    [[nodiscard]] constexpr std::uint32_t usable() const noexcept {
        return chars != nullptr ? charCount : 0;
    }

    const char* chars = nullptr;
    std::uint32_t charCount = 0;
};

/// Writes the characters of `slice` to `os`, as for a `std::string_view`.
CONKIT_SLICES_API std::ostream& operator<<(std::ostream& os, const StrSlice& slice);

} // namespace conkit

namespace std {
/// Hashes a slice exactly as `std::string_view` hashes the same bytes.
template <> struct hash<conkit::StrSlice> {
    size_t operator()(const conkit::StrSlice& slice) const noexcept {
        return hash<string_view>()(slice);
    }
};
} // namespace std

#include "slices/Tokenizers.h"
