// StrSlice: comparisons, searches, cuts and tests.
#include "slices/StrSlice.h"

#include "slices/detail/FoldCompare.h"
#include "slices/detail/TextSearch.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace conkit {

namespace {

using detail::isBlank;
using detail::notFound;

/// Largest position a search reports: the signed 32-bit result holds no more.
constexpr std::uint32_t lastPosition = 0x7FFFFFFFu;

/// The search result for a match `at` bytes after `from`: the position when
/// there is a match and it fits the result, else -1.
std::int32_t position(std::uint32_t from, std::size_t at) noexcept {
    return at != notFound && from + at <= lastPosition ? static_cast<std::int32_t>(from + at) : -1;
}

/// The forward text searches: the start and count are checked first; then a
/// null `sought` is the empty text, found at `start`; otherwise `search` looks
/// from `start` on.
template <class Search>
std::int32_t findFrom(const char* chars, std::uint32_t size, const char* sought,
                      std::uint32_t count, std::uint32_t start, Search search) noexcept {
    // Compared in 64 bits so that start + count cannot wrap.
    if (start >= size || std::uint64_t{start} + count > size || start > lastPosition) {
        return -1;
    }
    if (sought == nullptr || count == 0) {
        return static_cast<std::int32_t>(start);
    }
    return position(start, search(chars + start, size - start, sought, count));
}

} // namespace

int StrSlice::compare(const char* sought, std::uint32_t count) const noexcept {
    return detail::compareSlices(chars, usable(), sought, count,
                                 [](const char* a, const char* b, std::size_t n) noexcept {
                                     const int order = std::memcmp(a, b, n);
                                     return order < 0 ? -1 : (order > 0 ? 1 : 0);
                                 });
}

int StrSlice::compareNoCase(const char* sought, std::uint32_t count) const noexcept {
    // One indirect jump: the call stays a tail call, with nothing to save
    // around it.
    return detail::kernels().sliceFold(*this, sought, count);
}

std::int32_t StrSlice::find(char c, std::uint32_t start) const noexcept {
    const std::uint32_t size = usable();
    return start < size ? position(start, detail::findByte(chars + start, size - start, c)) : -1;
}

std::int32_t StrSlice::find(const char* sought, std::uint32_t count,
                            std::uint32_t start) const noexcept {
    return findFrom(chars, usable(), sought, count, start, detail::findText);
}

std::int32_t StrSlice::findNoCase(const StrSlice& sought, std::uint32_t start) const noexcept {
    return findFrom(chars, usable(), sought.chars, sought.usable(), start, detail::findTextNoCase);
}

std::int32_t StrSlice::rfind(char c, std::uint32_t start) const noexcept {
    const std::uint32_t size = usable();
    if (size == 0) {
        return -1;
    }
    const std::uint32_t from = std::min({start, size - 1, lastPosition});
    return position(0, detail::findLastByte(chars, std::size_t{from} + 1, c));
}

std::int32_t StrSlice::rfind(const char* sought, std::uint32_t count,
                             std::uint32_t trailing) const noexcept {
    const std::uint32_t size = usable();
    if (trailing >= size || std::uint64_t{trailing} + count > size) {
        return -1;
    }
    if (sought == nullptr) {
        count = 0;
    }
    // Candidates start at 0 .. region - count, and no later than lastPosition.
    const std::uint32_t lastStart = std::min(size - trailing - count, lastPosition);
    if (count == 0) {
        return static_cast<std::int32_t>(lastStart);
    }
    return position(0, detail::findLastText(chars, std::size_t{lastStart} + count, sought, count));
}

bool StrSlice::contains(char c) const noexcept {
    return detail::findByte(chars, usable(), c) != notFound;
}

bool StrSlice::contains(const StrSlice& sought) const noexcept {
    const std::uint32_t count = sought.usable();
    const std::uint32_t size = usable();
    return count == 0 ||
           (count <= size && detail::findText(chars, size, sought.chars, count) != notFound);
}

StrSlice StrSlice::substr(std::uint32_t start, std::uint32_t count) const noexcept {
    const std::uint32_t size = usable();
    return start < size ? StrSlice(chars + start, std::min(size - start, count)) : StrSlice();
}

StrSlice StrSlice::subRange(std::uint32_t begin, std::uint32_t end) const noexcept {
    const std::uint32_t size = usable();
    end = std::min(end, size);
    return begin < size && end >= begin ? StrSlice(chars + begin, end - begin) : StrSlice();
}

StrSlice StrSlice::trim() const noexcept {
    const char* first = chars;
    const char* last = chars + usable(); // a null pointer plus 0 stays null
    while (first != last && isBlank(*first)) {
        ++first;
    }
    while (last != first && isBlank(last[-1])) {
        --last;
    }
    return StrSlice(first, static_cast<std::uint32_t>(last - first));
}

bool StrSlice::isDigits() const noexcept {
    const std::uint32_t size = usable();
    return size != 0 &&
           std::all_of(chars, chars + size, [](char c) { return c >= '0' && c <= '9'; });
}

bool StrSlice::hasPrefix(const char* sought, std::uint32_t count) const noexcept {
    if (count > usable()) {
        return false;
    }
    return sought == nullptr || count == 0 || std::memcmp(chars, sought, count) == 0;
}

bool StrSlice::hasSuffix(const char* sought, std::uint32_t count) const noexcept {
    const std::uint32_t size = usable();
    if (count > size) {
        return false;
    }
    return sought == nullptr || count == 0 ||
           std::memcmp(chars + (size - count), sought, count) == 0;
}

std::ostream& operator<<(std::ostream& os, const StrSlice& slice) {
    return os << static_cast<std::string_view>(slice);
}

} // namespace conkit
