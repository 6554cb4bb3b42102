// StrSlice splitting and the two tokenizers.
#include "slices/StrSlice.h"

#include "slices/detail/TextSearch.h"

namespace conkit {

namespace {

using detail::notFound;

/// Where a delimiter text of `count` bytes first stands in `size` bytes at
/// `text`, searching from `start`; an empty delimiter stands at `start`.
/// `notFound` when `start` is not below `size` or there is no such place.
std::size_t findTextFrom(const char* text, std::size_t size, std::size_t start,
                         const StrSlice& sought) noexcept {
    if (start >= size) {
        return notFound;
    }
    if (sought.isEmpty()) {
        return start;
    }
    if (sought.size() > size - start) {
        return notFound;
    }
    const std::size_t at =
        detail::findText(text + start, size - start, sought.data(), sought.size());
    return at != notFound ? start + at : notFound;
}

/// Writes the outcome of a split at `at` (a delimiter of `width` bytes) to
/// `head` and `tail`, and returns 1 or 2. A tokenizer's step is the same cut:
/// the token is the head, and what remains is the tail.
int splitResult(const StrSlice& whole, std::size_t at, std::size_t width, StrSlice& head,
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

} // namespace

int StrSlice::split(char delimiter, StrSlice& head, StrSlice& tail) const noexcept {
    if (isEmpty()) {
        return 0;
    }
    return splitResult(*this, detail::findByte(chars, charCount, delimiter), 1, head, tail);
}

int StrSlice::split(const char* delimiter, StrSlice& head, StrSlice& tail) const noexcept {
    if (isEmpty()) {
        return 0;
    }
    const StrSlice sought(delimiter);
    return splitResult(*this, findTextFrom(chars, charCount, 0, sought), sought.size(), head, tail);
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
    StrSlice rest;
    splitResult(remaining, detail::findByte(remaining.data(), remaining.size(), delimiter), 1,
                token, rest);
    remaining = rest;
    return true;
}

} // namespace conkit
