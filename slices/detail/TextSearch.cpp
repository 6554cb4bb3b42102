// Search for a run of bytes, 32 candidate positions at a time.
//
// A candidate must hold the sought text's first byte at its start and its last
// byte at its end; one vector comparison per edge tests 32 candidates, and
// only those that pass are compared in full. So every candidate position is
// still considered, in order, and the result is exactly that of the plain
// scans in TextSearch.h (no skip table leaves a position out). The 32-byte
// vectors are AVX2 where the processor has it, else two SSE2 halves; other
// targets use the plain scans.
#include "slices/detail/TextSearch.h"

#include "slices/detail/Cpu.h"

namespace conkit::detail {

#if defined(CONKIT_X86_VECTORS)

namespace {

// The four entry points are flattened: everything they call is inlined into
// them, so the AVX2 ones compile the shared loops for AVX2 as well.
#define CONKIT_FLATTEN __attribute__((flatten))
#define CONKIT_AVX2 __attribute__((target("avx2")))

/// Edge tests with two 16-byte SSE2 halves.
struct Sse2Edges {
    __m128i first;
    __m128i last;
    Sse2Edges(char firstByte, char lastByte) noexcept
        : first(_mm_set1_epi8(firstByte)), last(_mm_set1_epi8(lastByte)) {}
    /// Bit i: candidate at + i has both edges. Reads text[at .. at + count + 30].
    unsigned operator()(const char* text, std::size_t at, std::size_t count) const noexcept {
        return half(text + at, count) | (half(text + at + 16, count) << 16);
    }
    unsigned half(const char* p, std::size_t count) const noexcept {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i ends = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + count - 1));
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
    }
};

/// The same tests with one 32-byte AVX2 vector per edge.
struct Avx2Edges {
    __m256i first;
    __m256i last;
    CONKIT_AVX2 Avx2Edges(char firstByte, char lastByte) noexcept
        : first(_mm256_set1_epi8(firstByte)), last(_mm256_set1_epi8(lastByte)) {}
    CONKIT_AVX2 unsigned operator()(const char* text, std::size_t at,
                                    std::size_t count) const noexcept {
        const __m256i starts = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at));
        const __m256i ends =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + at + count - 1));
        return static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(starts, first), _mm256_cmpeq_epi8(ends, last))));
    }
};

/// Lowest candidate of `mask` (candidate i is `at` + i) where the whole text
/// stands; `notFound` when none. Out of line: candidates are rare, and the
/// block loops keep their vectors in registers without the call.
__attribute__((noinline)) std::size_t firstFullMatch(const char* text, std::size_t at,
                                                     unsigned mask, const char* sought,
                                                     std::size_t count) noexcept {
    for (; mask != 0; mask &= mask - 1) {
        const std::size_t k = at + static_cast<std::size_t>(__builtin_ctz(mask));
        if (std::memcmp(text + k + 1, sought + 1, count - 2) == 0) {
            return k;
        }
    }
    return notFound;
}

/// Highest such candidate, or `notFound`.
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

/// The first candidate where the text stands; `count` is at least 1.
template <class Edges>
std::size_t forward(const char* text, std::size_t size, const char* sought, std::size_t count,
                    const Edges& edges) noexcept {
    if (count > size) {
        return notFound;
    }
    if (count == 1) {
        return findByte(text, size, sought[0]);
    }
    std::size_t at = 0;
    // A block tries candidates at .. at + 31, whose last bytes reach at + count + 30.
    for (; at + count + 31 <= size; at += 32) {
        const unsigned mask = edges(text, at, count);
        if (mask != 0) {
            // Two bytes are the whole text: the edges decide alone.
            const std::size_t k = count == 2 ? at + static_cast<std::size_t>(__builtin_ctz(mask))
                                             : firstFullMatch(text, at, mask, sought, count);
            if (k != notFound) {
                return k;
            }
        }
    }
    const std::size_t rest = findTextScalar(text + at, size - at, sought, count);
    return rest != notFound ? at + rest : notFound;
}

/// The last candidate where the text stands; `count` is at least 1.
template <class Edges>
std::size_t backward(const char* text, std::size_t size, const char* sought, std::size_t count,
                     const Edges& edges) noexcept {
    if (count > size) {
        return notFound;
    }
    if (count == 1) {
        return findLastByte(text, size, sought[0]);
    }
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
    return findLastTextScalar(text, end + count - 1, sought, count);
}

using Search = std::size_t (*)(const char*, std::size_t, const char*, std::size_t) noexcept;

CONKIT_FLATTEN std::size_t forwardSse2(const char* text, std::size_t size, const char* sought,
                                       std::size_t count) noexcept {
    return forward(text, size, sought, count, Sse2Edges(sought[0], sought[count - 1]));
}

CONKIT_FLATTEN CONKIT_AVX2 std::size_t forwardAvx2(const char* text, std::size_t size,
                                                   const char* sought, std::size_t count) noexcept {
    return forward(text, size, sought, count, Avx2Edges(sought[0], sought[count - 1]));
}

CONKIT_FLATTEN std::size_t backwardSse2(const char* text, std::size_t size, const char* sought,
                                        std::size_t count) noexcept {
    return backward(text, size, sought, count, Sse2Edges(sought[0], sought[count - 1]));
}

CONKIT_FLATTEN CONKIT_AVX2 std::size_t
backwardAvx2(const char* text, std::size_t size, const char* sought, std::size_t count) noexcept {
    return backward(text, size, sought, count, Avx2Edges(sought[0], sought[count - 1]));
}

} // namespace

// The kernels are chosen once, by what the processor has; the pointers are
// constant from then on. The calls below are tail calls.

std::size_t findText(const char* text, std::size_t size, const char* sought,
                     std::size_t count) noexcept {
    static const Search kernel = useAvx2() ? forwardAvx2 : forwardSse2;
    return kernel(text, size, sought, count);
}

std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept {
    static const Search kernel = useAvx2() ? backwardAvx2 : backwardSse2;
    return kernel(text, size, sought, count);
}

#undef CONKIT_FLATTEN
#undef CONKIT_AVX2

#else

std::size_t findText(const char* text, std::size_t size, const char* sought,
                     std::size_t count) noexcept {
    return count == 1 ? findByte(text, size, sought[0]) : findTextScalar(text, size, sought, count);
}

std::size_t findLastText(const char* text, std::size_t size, const char* sought,
                         std::size_t count) noexcept {
    return count == 1 ? findLastByte(text, size, sought[0])
                      : findLastTextScalar(text, size, sought, count);
}

#endif

} // namespace conkit::detail
