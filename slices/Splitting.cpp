// StrSlice splitting and the tokenizers. A tokenizer's step is the split of
// what remains at its next delimiter: the token is the head, and the tail is
// what remains next; so splits and tokens come out of the same cut below.
// CharSplitter splits as split does, whose inline look at the next 16 bytes
// finds the short fields of tables without a call; StrSplitter asks its
// lookahead index, which searches a window ahead at a time.
#include "slices/StrSlice.h"

#include "slices/detail/Hints.h"
#include "slices/detail/TextSearch.h"

#include <algorithm>
#include <cstring>

namespace conkit {

namespace {

using detail::notFound;

/// Writes the outcome of a split of `whole` at `at` (a delimiter of `width`
/// bytes there, or `notFound`) to `head` and `tail`, and returns 1 or 2.
/// `whole` is a copy, so `head` or `tail` may be the slice being split.
int cut(const StrSlice whole, std::size_t at, std::size_t width, StrSlice& head,
        StrSlice& tail) noexcept {
    if (at == notFound) {
        head = whole;
        tail.clear();
        return 1;
    }
    // at + width <= size, so both counts fit 32 bits.
    head.assign(whole.data(), static_cast<std::uint32_t>(at));
    tail.assign(whole.data() + at + width, static_cast<std::uint32_t>(whole.size() - at - width));
    return 2;
}

/// Where `sought` first stands among the `size` bytes at `text`, searching
/// from `start`; the empty text stands at `start`. `notFound` when `start` is
/// not below `size` or there is no such place.
std::size_t findTextFrom(const char* text, std::size_t size, std::size_t start,
                         const StrSlice& sought) noexcept {
    if (start >= size) {
        return notFound;
    }
    if (sought.isEmpty()) {
        return start;
    }
    const std::size_t at =
        detail::findText(text + start, size - start, sought.data(), sought.size());
    return at != notFound ? start + at : notFound;
}

/// The split at a delimiter character, for a non-empty `whole`.
int splitNonEmpty(const StrSlice& whole, char delimiter, StrSlice& head, StrSlice& tail) noexcept {
    return cut(whole, detail::findByte(whole.data(), whole.size(), delimiter), 1, head, tail);
}

/// The split at a delimiter text, for a non-empty `whole`; an empty delimiter
/// stands before the first character.
int splitNonEmpty(const StrSlice& whole, const StrSlice& delimiter, StrSlice& head,
                  StrSlice& tail) noexcept {
    return cut(whole, findTextFrom(whole.data(), whole.size(), 0, delimiter), delimiter.size(),
               head, tail);
}

} // namespace

int StrSlice::split(char delimiter, StrSlice& head, StrSlice& tail) const noexcept {
    return isEmpty() ? 0 : splitNonEmpty(*this, delimiter, head, tail);
}

int StrSlice::split(const char* delimiter, StrSlice& head, StrSlice& tail) const noexcept {
    return isEmpty() ? 0 : splitNonEmpty(*this, StrSlice(delimiter), head, tail);
}

bool StrSlice::between(char open, char close, StrSlice& out) const noexcept {
    const std::uint32_t size = usable();
    const std::size_t opening = detail::findByte(chars, size, open);
    if (opening == notFound) {
        return false;
    }
    const std::size_t start = opening + 1;
    const std::size_t closing = detail::findByte(chars + start, size - start, close);
    if (closing == notFound) {
        return false;
    }
    out.assign(chars + start, static_cast<std::uint32_t>(closing));
    return true;
}

bool StrSlice::between(const char* open, const char* close, StrSlice& out) const noexcept {
    const std::uint32_t size = usable();
    const StrSlice opening(open);
    const std::size_t at = findTextFrom(chars, size, 0, opening);
    if (at == notFound) {
        return false;
    }
    const std::size_t start = at + opening.size();
    const std::size_t closing = findTextFrom(chars, size, start, StrSlice(close));
    if (closing == notFound) {
        return false;
    }
    out.assign(chars + start, static_cast<std::uint32_t>(closing - start));
    return true;
}

namespace detail {

/// The first of the offsets held that is a delimiter at or after `from`, or
/// null when none is left. A candidate before `from` lay inside the last
/// delimiter. The window matched the first and last bytes; the rest are left.
inline const char* DelimiterIndex::nextHeld(const char* from, const char* sought,
                                            std::size_t count) noexcept {
    while (taken != size) {
        const char* at = window + offsets[taken++];
        if (at >= from && (count <= 2 || std::memcmp(at + 1, sought + 1, count - 2) == 0)) {
            return at;
        }
    }
    return nullptr;
}

std::size_t DelimiterIndex::find(StrSlice rest, const char* sought, std::size_t count) noexcept {
    // A delimiter of one or two bytes is whole wherever the window marked a
    // candidate, so most of its steps take an offset already held, with no
    // call and nothing to save. The rest is out of line.
    // (Under the test the compiler knows `count`, and drops nextHeld's memcmp.)
    if (count <= 2) {
        if (const char* at = nextHeld(rest.data(), sought, count)) {
            return static_cast<std::size_t>(at - rest.data());
        }
    }
    return findAhead(rest, sought, count);
}

CONKIT_NOINLINE std::size_t DelimiterIndex::findAhead(StrSlice rest, const char* sought,
                                                      std::size_t count) noexcept {
    const char* const from = rest.data();
    const char* const end = rest.end();
    for (;;) {
        if (const char* at = nextHeld(from, sought, count)) {
            return static_cast<std::size_t>(at - from);
        }
        const char* start = indexed != nullptr && indexed > from ? indexed : from;
        if (static_cast<std::size_t>(end - start) >= markedWindow + count - 1) {
            const Marks marks = markCandidates(start, sought, count, offsets, capacity);
            if (marks.covered != 0) {
                window = start;
                indexed = start + marks.covered;
                size = static_cast<unsigned char>(marks.found);
                taken = 0;
                if (size != 0) {
                    continue;
                }
                start = indexed; // a window without a candidate: long gaps are memchr's
            }
        }
        // Too little left for a window, no vector kernels, or a long gap:
        // the plain search, after which the index starts anew.
        indexed = nullptr;
        size = 0;
        taken = 0;
        const auto left = static_cast<std::size_t>(end - start);
        const std::size_t at =
            count == 1 ? findByte(start, left, *sought) : findText(start, left, sought, count);
        return at != notFound ? static_cast<std::size_t>(start - from) + at : notFound;
    }
}

} // namespace detail

bool CharSplitter::next(StrSlice& token) noexcept {
    if (remaining.isEmpty()) {
        return false;
    }
    splitNonEmpty(remaining, delimiter, token, remaining);
    return true;
}

bool StrSplitter::next(StrSlice& token) noexcept {
    if (remaining.isEmpty()) {
        return false;
    }
    // An empty delimiter would stand at the front forever, so it hands out
    // the whole text instead.
    if (delimiter.isEmpty()) {
        token = remaining;
        remaining.clear();
        return true;
    }
    cut(remaining, index.find(remaining, delimiter.data(), delimiter.size()), delimiter.size(),
        token, remaining);
    return true;
}

bool BlankSplitter::next(StrSlice& token) noexcept {
    // The blanks before the word go first; the one after it goes with it, as
    // the delimiter of the split, and the rest of that run on the next call.
    const char* first = std::find_if_not(remaining.begin(), remaining.end(), detail::isBlank);
    const auto count = static_cast<std::uint32_t>(remaining.end() - first);
    if (count == 0) {
        remaining.clear();
        return false;
    }
    const StrSlice words(first, count);
    const char* blank = std::find_if(first, words.end(), detail::isBlank);
    cut(words, blank != words.end() ? static_cast<std::size_t>(blank - first) : notFound, 1, token,
        remaining);
    return true;
}

} // namespace conkit
