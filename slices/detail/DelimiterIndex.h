// StrSplitter's lookahead: where the next delimiters of a long text stand.
// Internal: not installed.
#pragma once

#include "slices/StrSlice.h"

#include <cstddef>
#include <cstring>

namespace conkit::detail {

/// Where the next delimiters of a long text stand, found a window of 256 bytes
/// at a time by one vector pass and then handed out in order, so that the steps
/// of a tokenizer do not each start a search (and mispredict where it ends).
/// Texts too short for a window, and levels without vector kernels, are
/// searched as before.
///
/// A view of bytes that StrSplitter keeps and its constructors zero, so that
/// the public header shows no part of the index; copying the splitter copies
/// them. Zero bytes are the empty index. The layout below is the bytes' only
/// owner; the pointers in it are copied in and out with memcpy, which needs no
/// alignment and no object of this class inside the bytes.
class DelimiterIndex {
public:
    /// The bytes that hold an index: two pointers, two counts and the offsets.
    static constexpr std::size_t storageSize = 2 * sizeof(const char*) + 2 + 64;

    /// The index held in `storage`, a splitter's bytes for it.
    template <std::size_t Size>
    explicit DelimiterIndex(unsigned char (&storage)[Size]) noexcept : bytes(storage) {
        static_assert(Size == storageSize, "StrSplitter's lookahead is not an index's size");
    }

    /// Where the `count` bytes at `sought` (at least one) first stand in the
    /// non-empty `rest`, as an offset from its first byte; the largest
    /// `size_t` when they do not. Each `rest` must begin at or after the end
    /// of the last answer's delimiter, in the same text.
    std::size_t find(StrSlice rest, const char* sought, std::size_t count) noexcept {
        // A delimiter of one or two bytes is whole wherever the window marked
        // a candidate, so most of its steps take an offset already held, with
        // no call and nothing to save. The rest is out of line.
        // (Under the test the compiler knows `count`, and drops nextHeld's
        // memcmp.)
        if (count <= 2) {
            if (const char* at = nextHeld(rest.data(), sought, count)) {
                return static_cast<std::size_t>(at - rest.data());
            }
        }
        return findAhead(bytes, rest, sought, count);
    }

private:
    /// The first of the offsets held that is a delimiter at or after `from`,
    /// or null when none is left. A candidate before `from` lay inside the
    /// last delimiter. The window matched the first and last bytes; the rest
    /// are left.
    const char* nextHeld(const char* from, const char* sought, std::size_t count) noexcept {
        while (bytes[takenAt] != bytes[sizeAt]) {
            const char* at = pointerAt(windowAt) + bytes[offsetsAt + bytes[takenAt]++];
            if (at >= from && (count <= 2 || std::memcmp(at + 1, sought + 1, count - 2) == 0)) {
                return at;
            }
        }
        return nullptr;
    }

    /// `find` once the held offsets are used up: indexes windows further on.
    /// Static, on the splitter's bytes: as a member it would need this view's
    /// address, and so the view stored in memory, on every step.
    static std::size_t findAhead(unsigned char (&storage)[storageSize], StrSlice rest,
                                 const char* sought, std::size_t count) noexcept;

    const char* pointerAt(std::size_t at) const noexcept {
        const char* pointer = nullptr;
        std::memcpy(&pointer, bytes + at, sizeof pointer);
        return pointer;
    }
    void setPointerAt(std::size_t at, const char* pointer) noexcept {
        std::memcpy(bytes + at, &pointer, sizeof pointer);
    }

    // The layout. The two pointers are read only while offsets are held or
    // handed out (the count held is not 0).
    static constexpr std::size_t windowAt = 0; // where the offsets count from
    static constexpr std::size_t indexedAt =   // the first candidate not looked at yet
        windowAt + sizeof(const char*);
    static constexpr std::size_t sizeAt = indexedAt + sizeof(const char*); // offsets held
    static constexpr std::size_t takenAt = sizeAt + 1;                     // offsets handed out
    static constexpr std::size_t offsetsAt = takenAt + 1;
    static constexpr std::size_t capacity = storageSize - offsetsAt;

    unsigned char (&bytes)[storageSize];
};

} // namespace conkit::detail
