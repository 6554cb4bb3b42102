// Decimal digits read eight at a time, and the character tests that the
// integer and floating-point scanners share. Internal: not installed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace conkit::detail {

/// White space as isspace sees it in the C locale: blank, \t, \n, \v, \f, \r.
inline bool isSpace(char c) noexcept {
    constexpr std::uint64_t spaces = (std::uint64_t{1} << ' ') | (std::uint64_t{0x1F} << '\t');
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' && ((spaces >> byte) & 1) != 0;
}

inline bool isDigit(char c) noexcept {
    return static_cast<unsigned char>(c - '0') <= 9;
}

inline const char* skipSpace(const char* p, const char* last) noexcept {
    while (p != last && isSpace(*p)) {
        ++p;
    }
    return p;
}

/// Takes an optional '+' or '-' at `p`; returns true for '-'. Without a
/// branch on the sign, which is as random as the numbers are.
inline bool takeSign(const char*& p, const char* last) noexcept {
    const char c = p != last ? *p : '\0';
    const bool minus = c == '-';
    p += static_cast<int>(minus) | static_cast<int>(c == '+');
    return minus;
}

// A chunk holds up to eight characters with the first one in its lowest byte,
// whatever the byte order of the machine: big-endian machines swap the bytes
// of each load (the test of the byte order folds to a constant).

inline bool isLittleEndian() noexcept {
    const std::uint16_t one = 1;
    unsigned char low = 0;
    std::memcpy(&low, &one, 1);
    return low == 1;
}

inline std::uint64_t byteSwapped(std::uint64_t word) noexcept {
    word = ((word & 0x00FF00FF00FF00FFU) << 8) | ((word >> 8) & 0x00FF00FF00FF00FFU);
    word = ((word & 0x0000FFFF0000FFFFU) << 16) | ((word >> 16) & 0x0000FFFF0000FFFFU);
    return (word << 32) | (word >> 32);
}

inline std::uint64_t loadEight(const char* p) noexcept {
    std::uint64_t chunk = 0;
    std::memcpy(&chunk, p, sizeof chunk);
    return isLittleEndian() ? chunk : byteSwapped(chunk);
}

inline std::uint64_t loadFour(const char* p) noexcept {
    std::uint32_t word = 0;
    std::memcpy(&word, p, sizeof word);
    return isLittleEndian() ? word : byteSwapped(word) >> 32;
}

/// The byte at `p` + `index`, moved to byte `index` of a chunk.
inline std::uint64_t byteAt(const char* p, std::ptrdiff_t index) noexcept {
    return std::uint64_t{static_cast<unsigned char>(p[index])} << (8 * index);
}

/// The `count` (0 to 7) characters at `p` as a chunk. Two loads that may
/// overlap cover them: four bytes from each end, or the first, middle and
/// last byte of fewer than four. A byte loaded twice lands in the same place
/// both times, so or-ing the loads is exact; and a loop whose length changed
/// with every number would cost a mispredicted branch each time.
inline std::uint64_t loadFew(const char* p, std::ptrdiff_t count) noexcept {
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
inline unsigned leadingDigits(std::uint64_t chunk) noexcept {
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
inline std::uint64_t digitsValue(std::uint64_t chunk, unsigned count) noexcept {
    const unsigned half = 4 * (8 - count); // two shifts, as one of 64 is undefined
    chunk = ((chunk - 0x3030303030303030U) << half) << half;
    chunk = chunk * 10 + (chunk >> 8);
    constexpr std::uint64_t pairs = 0x000000FF000000FFU;
    return (((chunk & pairs) * 0x000F424000000064U) +
            (((chunk >> 16) & pairs) * 0x0000271000000001U)) >>
           32;
}

inline constexpr std::uint64_t powersOfTen[] = {1,      10,      100,      1000,     10000,
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
inline constexpr unsigned safeDigits = 19;

} // namespace conkit::detail
