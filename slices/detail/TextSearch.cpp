// Search for a run of bytes, 32 candidate positions at a time.
//
// A candidate must hold the sought text's first byte at its start and its last
// byte at its end; one vector comparison per edge tests 32 candidates, and
// only those that pass are compared in full. So every candidate position is
// still considered, in order, and the result is exactly that of the plain
// scans below (no skip table leaves a position out). The 32-byte vectors are
// AVX2 or two SSE2 halves, by the level of the kernel table (Kernels.h);
// builds without CONKIT_X86_VECTORS use the plain scans alone.
//
// The case-blind search tests its edges on bytes with the case bit set where
// the sought edge byte is a letter (see caseBit), which costs one OR per edge.
//
// markCandidates runs the same edge tests over a whole window and writes down
// where they passed, for a tokenizer to take the candidates one at a time.
#include "slices/detail/TextSearch.h"

#include "slices/detail/FoldCompare.h"

#include <type_traits>

namespace conkit::detail {

namespace {

/// `c` with its case bit set when `bit` is 0x20; unchanged when `bit` is 0.
constexpr char withBit(char c, char bit) noexcept {
    return static_cast<char>(c | bit);
}

} // namespace

std::size_t scanExact(const char* text, std::size_t size, const char* sought,
                      std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    const std::size_t candidates = size - count + 1;
    for (std::size_t k = 0; k < candidates; ++k) {
        const std::size_t hit = findByte(text + k, candidates - k, sought[0]);
        if (hit == notFound) {
            return notFound;
        }
        k += hit;
        if (std::memcmp(text + k + 1, sought + 1, count - 1) == 0) {
            return k;
        }
    }
    return notFound;
}

// From the last candidate down.
std::size_t scanLastExact(const char* text, std::size_t size, const char* sought,
                          std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    // Candidates 0 .. end - 1 remain.
    for (std::size_t end = size - count + 1; end != 0;) {
        const std::size_t k = findLastByte(text, end, sought[0]);
        if (k == notFound) {
            return notFound;
        }
        if (std::memcmp(text + k + 1, sought + 1, count - 1) == 0) {
            return k;
        }
        end = k;
    }
    return notFound;
}

std::size_t scanNoCase(const char* text, std::size_t size, const char* sought,
                       std::size_t count) noexcept {
    if (count > size) {
        return notFound;
    }
    const char bit = caseBit(sought[0]);
    const char first = withBit(sought[0], bit);
    for (std::size_t k = 0; k + count <= size; ++k) {
        if (withBit(text[k], bit) == first &&
            compareFolded(text + k + 1, sought + 1, count - 1) == 0) {
            return k;
        }
    }
    return notFound;
}

Marks markNothing(const char*, const char*, std::size_t, unsigned char*, std::size_t) noexcept {
    return {0, 0};
}

#if defined(CONKIT_X86_VECTORS)

namespace {

// The entry points are flattened: everything they call is inlined into them,
// so the AVX2 ones compile the shared loops for AVX2 as well.
#define CONKIT_FLATTEN __attribute__((flatten))
#define CONKIT_AVX2 __attribute__((target("avx2")))

/// Exact equality of a candidate's inner bytes, and the plain scan.
struct Exact {
    static bool same(const char* a, const char* b, std::size_t count) noexcept {
        return std::memcmp(a, b, count) == 0;
    }
    static std::size_t scan(const char* text, std::size_t size, const char* sought,
                            std::size_t count) noexcept {
        return scanExact(text, size, sought, count);
    }
};

/// Case-blind equality of a candidate's inner bytes, and the plain scan.
struct NoCase {
    static bool same(const char* a, const char* b, std::size_t count) noexcept {
        return compareFolded(a, b, count) == 0;
    }
    static std::size_t scan(const char* text, std::size_t size, const char* sought,
                            std::size_t count) noexcept {
        return scanNoCase(text, size, sought, count);
    }
};

/// Edge tests with two 16-byte SSE2 halves; `Folded` sets the case bits first.
template <bool Folded> struct Sse2Edges {
    __m128i first;
    __m128i last;
    __m128i firstBit;
    __m128i lastBit;
    Sse2Edges(char firstByte, char lastByte) noexcept
        : first(_mm_set1_epi8(Folded ? withBit(firstByte, caseBit(firstByte)) : firstByte)),
          last(_mm_set1_epi8(Folded ? withBit(lastByte, caseBit(lastByte)) : lastByte)),
          firstBit(_mm_set1_epi8(caseBit(firstByte))), lastBit(_mm_set1_epi8(caseBit(lastByte))) {}
    /// Bit i: candidate at + i has both edges. Reads text[at .. at + count + 30].
    unsigned operator()(const char* text, std::size_t at, std::size_t count) const noexcept {
        return half(text + at, count) | (half(text + at + 16, count) << 16);
    }
    unsigned half(const char* p, std::size_t count) const noexcept {
        __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + count - 1));
        if constexpr (Folded) {
            starts = _mm_or_si128(starts, firstBit);
            ends = _mm_or_si128(ends, lastBit);
        }
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
    }
};

/// The same tests with one 32-byte AVX2 vector per edge.
template <bool Folded> struct Avx2Edges {
    __m256i first;
    __m256i last;
    __m256i firstBit;
    __m256i lastBit;
    CONKIT_AVX2 Avx2Edges(char firstByte, char lastByte) noexcept
        : first(_mm256_set1_epi8(Folded ? withBit(firstByte, caseBit(firstByte)) : firstByte)),
          last(_mm256_set1_epi8(Folded ? withBit(lastByte, caseBit(lastByte)) : lastByte)),
          firstBit(_mm256_set1_epi8(caseBit(firstByte))),
          lastBit(_mm256_set1_epi8(caseBit(lastByte))) {}
    CONKIT_AVX2 unsigned operator()(const char* text, std::size_t at,
                                    std::size_t count) const noexcept {
        __m256i starts = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at));
        __m256i ends = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at + count - 1));
        if constexpr (Folded) {
            starts = _mm256_or_si256(starts, firstBit);
            ends = _mm256_or_si256(ends, lastBit);
        }
        return static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(starts, first), _mm256_cmpeq_epi8(ends, last))));
    }
};

/// Lowest candidate of `mask` (candidate i is `at` + i) whose inner bytes
/// match too; `notFound` when none. Out of line: candidates are rare, and the
/// block loops keep their vectors in registers without the call.
template <class Match>
__attribute__((noinline)) std::size_t firstFullMatch(const char* text, std::size_t at,
                                                     unsigned mask, const char* sought,
                                                     std::size_t count) noexcept {
    for (; mask != 0; mask &= mask - 1) {
        const std::size_t k = at + static_cast<std::size_t>(__builtin_ctz(mask));
        if (Match::same(text + k + 1, sought + 1, count - 2)) {
            return k;
        }
    }
    return notFound;
}

/// Highest such candidate, exactly, or `notFound`.
__attribute__((noinline)) std::size_t lastFullMatch(const char* text, std::size_t at, unsigned mask,
                                                    const char* sought,
                                                    std::size_t count) noexcept {
    for (; mask != 0; mask &= ~(1U << (31 - __builtin_clz(mask)))) {
        const std::size_t k = at + static_cast<std::size_t>(31 - __builtin_clz(mask));
        if (std::memcmp(text + k + 1, sought + 1, count - 2) == 0) {
            return k;
        }
    }
    return notFound;
}

/// The first candidate where the text stands. With one or two sought bytes
/// the edges are the whole text and decide alone.
template <class Match, class Edges>
std::size_t forward(const char* text, std::size_t size, const char* sought, std::size_t count,
                    const Edges& edges) noexcept {
    std::size_t at = 0;
    // A block tries candidates at .. at + 31, whose last bytes reach at + count + 30.
    for (; at + count + 31 <= size; at += 32) {
        const unsigned mask = edges(text, at, count);
        if (mask != 0) {
            const std::size_t k = count <= 2 ? at + static_cast<std::size_t>(__builtin_ctz(mask))
                                             : firstFullMatch<Match>(text, at, mask, sought, count);
            if (k != notFound) {
                return k;
            }
        }
    }
    const std::size_t rest = Match::scan(text + at, size - at, sought, count);
    return rest != notFound ? at + rest : notFound;
}

/// The last candidate where the text stands exactly; `count` is at least 2
/// and at most `size` (the one caller, StrSlice::rfind, checks that first).
template <class Edges>
std::size_t backward(const char* text, std::size_t size, const char* sought, std::size_t count,
                     const Edges& edges) noexcept {
    // Candidates 0 .. end - 1 remain; blocks are taken from the back.
    std::size_t end = size - count + 1;
    for (; end >= 32; end -= 32) {
        const unsigned mask = edges(text, end - 32, count);
        if (mask != 0) {
            const std::size_t k =
                count == 2 ? end - 32 + static_cast<std::size_t>(31 - __builtin_clz(mask))
                           : lastFullMatch(text, end - 32, mask, sought, count);
            if (k != notFound) {
                return k;
            }
        }
    }
    return scanLastExact(text, end + count - 1, sought, count);
}

/// markCandidates with the given edge tests, a block of 32 candidates at a
/// time.
template <class Edges>
Marks markWindow(const char* text, std::size_t count, const Edges& edges, unsigned char* offsets,
                 std::size_t capacity) noexcept {
    std::size_t found = 0;
    for (std::size_t block = 0; block < markedWindow; block += 32) {
        if (found + 2 > capacity) {
            return {block, found};
        }
        unsigned bits = edges(text, block, count);
        // Most blocks hold at most two candidates, so two offsets are written
        // without a branch: a write past the last candidate is not counted,
        // and the next write takes its place. A loop takes any more.
        for (int i = 0; i < 2; ++i) {
            offsets[found] = static_cast<unsigned char>(
                block + static_cast<unsigned>(__builtin_ctz(bits | 0x80000000U)));
            found += bits != 0 ? 1 : 0;
            bits &= bits - 1;
        }
        for (; bits != 0; bits &= bits - 1) {
            const auto at = static_cast<std::size_t>(__builtin_ctz(bits));
            if (found == capacity) {
                return {block + at, found};
            }
            offsets[found++] = static_cast<unsigned char>(block + at);
        }
    }
    return {markedWindow, found};
}

CONKIT_FLATTEN Marks markSse2(const char* text, const char* sought, std::size_t count,
                              unsigned char* offsets, std::size_t capacity) noexcept {
    return markWindow(text, count, Sse2Edges<false>(sought[0], sought[count - 1]), offsets,
                      capacity);
}

CONKIT_FLATTEN CONKIT_AVX2 Marks markAvx2(const char* text, const char* sought, std::size_t count,
                                          unsigned char* offsets, std::size_t capacity) noexcept {
    return markWindow(text, count, Avx2Edges<false>(sought[0], sought[count - 1]), offsets,
                      capacity);
}

/// The forward search with SSE2 edges, exact or (`Folded`) case-blind.
template <bool Folded>
CONKIT_FLATTEN std::size_t forwardSse2(const char* text, std::size_t size, const char* sought,
                                       std::size_t count) noexcept {
    return forward<std::conditional_t<Folded, NoCase, Exact>>(
        text, size, sought, count, Sse2Edges<Folded>(sought[0], sought[count - 1]));
}

/// The same with AVX2 edges.
template <bool Folded>
CONKIT_FLATTEN CONKIT_AVX2 std::size_t forwardAvx2(const char* text, std::size_t size,
                                                   const char* sought, std::size_t count) noexcept {
    return forward<std::conditional_t<Folded, NoCase, Exact>>(
        text, size, sought, count, Avx2Edges<Folded>(sought[0], sought[count - 1]));
}

CONKIT_FLATTEN std::size_t backwardSse2(const char* text, std::size_t size, const char* sought,
                                        std::size_t count) noexcept {
    return backward(text, size, sought, count, Sse2Edges<false>(sought[0], sought[count - 1]));
}

CONKIT_FLATTEN CONKIT_AVX2 std::size_t
backwardAvx2(const char* text, std::size_t size, const char* sought, std::size_t count) noexcept {
    return backward(text, size, sought, count, Avx2Edges<false>(sought[0], sought[count - 1]));
}

#undef CONKIT_FLATTEN
#undef CONKIT_AVX2

} // namespace

void putTextKernels(Vectors level, Kernels& table) noexcept {
    // There are no AVX-512 searches: that level runs the AVX2 ones.
    const bool avx2 = level >= Vectors::avx2;
    if (level >= Vectors::sse2) {
        table.blockFrom = byteBlock; // findInBlock is SSE2 at every level
        table.findAfter = avx2 ? forwardAvx2<false> : forwardSse2<false>;
        table.findLast = avx2 ? backwardAvx2 : backwardSse2;
        table.findNoCase = avx2 ? forwardAvx2<true> : forwardSse2<true>;
        table.mark = avx2 ? markAvx2 : markSse2;
    }
}

#else

void putTextKernels(Vectors, Kernels&) noexcept {}

#endif

// A single byte is memchr's or memrchr's job. (findText itself is inline, in
// TextSearch.h.)

std::size_t findTextAfter(const char* text, std::size_t size, const char* sought, std::size_t count,
                          std::size_t first) noexcept {
    const std::size_t rest = kernels().findAfter(text + first + 1, size - first - 1, sought, count);
    return rest != notFound ? first + 1 + rest : notFound;
}

std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept {
    return count == 1 ? findLastByte(text, size, sought[0])
                      : kernels().findLast(text, size, sought, count);
}

std::size_t findTextNoCase(const char* text, std::size_t size, const char* sought,
                           std::size_t count) noexcept {
    return count == 1 && caseBit(sought[0]) == 0 ? findByte(text, size, sought[0])
                                                 : kernels().findNoCase(text, size, sought, count);
}

} // namespace conkit::detail
