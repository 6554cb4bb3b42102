// StrSlice splitting and the tokenizers. A tokenizer's step is the split of
// what remains at its next delimiter: the token is the head, and the tail is
// what remains next; so splits and tokens come out of the same cut below.
// CharSplitter splits as split does, whose inline look at the next 16 bytes
// finds the short fields of tables without a call; StrSplitter asks its
// lookahead index, which searches a window ahead at a time.
#include "slices/StrSlice.h"

#include "slices/detail/DelimiterIndex.h"
#include "slices/detail/TextSearch.h"

#include <algorithm>

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
    cut(remaining,
        detail::DelimiterIndex(lookahead).find(remaining, delimiter.data(), delimiter.size()),
        delimiter.size(), token, remaining);
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
