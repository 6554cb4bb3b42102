// StrSplitter's lookahead: indexing the windows ahead, out of line.
#include "slices/detail/DelimiterIndex.h"

#include "slices/detail/Hints.h"
#include "slices/detail/TextSearch.h"

namespace conkit::detail {

CONKIT_NOINLINE std::size_t DelimiterIndex::findAhead(unsigned char (&storage)[storageSize],
                                                      StrSlice rest, const char* sought,
                                                      std::size_t count) noexcept {
    DelimiterIndex index(storage);
    const char* const from = rest.data();
    const char* const end = rest.end();
    for (;;) {
        if (const char* at = index.nextHeld(from, sought, count)) {
            return static_cast<std::size_t>(at - from);
        }
        // Past the candidates already looked at, while the index holds any.
        const char* const indexed = index.pointerAt(indexedAt);
        const char* start = storage[sizeAt] != 0 && indexed > from ? indexed : from;
        if (static_cast<std::size_t>(end - start) >= markedWindow + count - 1) {
            const Marks marks = markCandidates(start, sought, count, storage + offsetsAt, capacity);
            if (marks.covered != 0) {
                index.setPointerAt(windowAt, start);
                index.setPointerAt(indexedAt, start + marks.covered);
                storage[sizeAt] = static_cast<unsigned char>(marks.found);
                storage[takenAt] = 0;
                if (marks.found != 0) {
                    continue;
                }
                start += marks.covered; // a window without a candidate: long gaps are memchr's
            }
        }
        // Too little left for a window, no vector kernels, or a long gap:
        // the plain search, after which the index starts anew.
        storage[sizeAt] = 0;
        storage[takenAt] = 0;
        const auto left = static_cast<std::size_t>(end - start);
        const std::size_t at =
            count == 1 ? findByte(start, left, *sought) : findText(start, left, sought, count);
        return at != notFound ? static_cast<std::size_t>(start - from) + at : notFound;
    }
}

} // namespace conkit::detail
