// StrSlice: re-pointing, comparisons, searches, cuts and tests.
#include "slices/StrSlice.h"

#include "slices/detail/FoldCompare.h"
#include "slices/detail/TextSearch.h"

#include <algorithm>
#include <cstring>
#include <ostream>

namespace conkit {

namespace {

using detail::notFound;

/// Orders `size` bytes at `chars` against `count` bytes at `sought`: by
/// `order` (-1, 0 or 1) over the bytes they have in common, then shorter
/// first. A null `sought` counts as no bytes.
template <class Order>
int compareWith(const char* chars, std::uint32_t size, const char* sought, std::uint32_t count,
                Order order) noexcept {
    if (sought == nullptr) {
        count = 0;
    }
    const std::uint32_t common = std::min(size, count);
    if (common != 0) {
        const int first = order(chars, sought, common);
        if (first != 0) {
            return first;
        }
    }
    return size < count ? -1 : (size > count ? 1 : 0);
}

} // namespace

int StrSlice::compare(const char* sought, std::uint32_t count) const noexcept {
    return compareWith(chars, usable(), sought, count,
                       [](const char* a, const char* b, std::size_t n) noexcept {
                           const int order = std::memcmp(a, b, n);
                           return order < 0 ? -1 : (order > 0 ? 1 : 0);
                       });
}

int StrSlice::compareNoCase(const char* sought, std::uint32_t count) const noexcept {
    return compareWith(chars, usable(), sought, count, detail::compareFolded);
}

// The searches look for the match with the size_t-based primitives, then keep
// it only when its position fits the signed 32-bit result.

std::int32_t StrSlice::find(char c, std::uint32_t start) const noexcept {
    const std::uint32_t size = usable();
    if (start >= size) {
        return -1;
    }
    const std::size_t at = detail::findByte(chars + start, size - start, c);
    return at != notFound && start + at <= maxPosition ? static_cast<std::int32_t>(start + at) : -1;
}

std::int32_t StrSlice::find(const char* sought, std::uint32_t count,
                            std::uint32_t start) const noexcept {
    if (sought == nullptr) {
        count = 0;
    }
    const std::uint32_t size = usable();
    // Compared in 64 bits so that start + count cannot wrap.
    if (start >= size || std::uint64_t{start} + count > size || start > maxPosition) {
        return -1;
    }
    if (count == 0) {
        return static_cast<std::int32_t>(start);
    }
    const std::size_t at = detail::findText(chars + start, size - start, sought, count);
    return at != notFound && start + at <= maxPosition ? static_cast<std::int32_t>(start + at) : -1;
}

std::int32_t StrSlice::rfind(char c, std::uint32_t start) const noexcept {
    const std::uint32_t size = usable();
    if (size == 0) {
        return -1;
    }
    const std::uint32_t from = std::min({start, size - 1, maxPosition});
    const std::size_t at = detail::findLastByte(chars, std::size_t{from} + 1, c);
    return at != notFound ? static_cast<std::int32_t>(at) : -1;
}

std::int32_t StrSlice::rfind(const char* sought, std::uint32_t count,
                             std::uint32_t trailing) const noexcept {
    if (sought == nullptr) {
        count = 0;
    }
    const std::uint32_t size = usable();
    if (trailing >= size || std::uint64_t{trailing} + count > size) {
        return -1;
    }
    // Candidates start at 0 .. region - count, and no later than maxPosition.
    const std::uint32_t lastStart = std::min(size - trailing - count, maxPosition);
    if (count == 0) {
        return static_cast<std::int32_t>(lastStart);
    }
    const std::size_t at =
        detail::findLastText(chars, std::size_t{lastStart} + count, sought, count);
    return at != notFound ? static_cast<std::int32_t>(at) : -1;
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

bool StrSlice::isDigits() const noexcept {
    const std::uint32_t size = usable();
    return size != 0 &&
           std::all_of(chars, chars + size, [](char c) { return c >= '0' && c <= '9'; });
}

bool StrSlice::hasPrefix(const char* sought, std::uint32_t count) const noexcept {
    if (sought == nullptr || count == 0) {
        return true;
    }
    return count <= usable() && std::memcmp(chars, sought, count) == 0;
}

bool StrSlice::hasSuffix(const char* sought, std::uint32_t count) const noexcept {
    if (sought == nullptr || count == 0) {
        return true;
    }
    const std::uint32_t size = usable();
    return count <= size && std::memcmp(chars + (size - count), sought, count) == 0;
}

std::ostream& operator<<(std::ostream& os, const StrSlice& slice) {
    return os << static_cast<std::string_view>(slice);
}

} // namespace conkit
