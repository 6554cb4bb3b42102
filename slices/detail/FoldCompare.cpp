// Case-blind comparison, 16, 32 or 64 bytes at a time with SSE2 or AVX2
// (chosen once, at first use, by what the processor has); the plain loop for
// fewer than 16 bytes and where there are no vector kernels.
#include "slices/detail/FoldCompare.h"

#include "slices/detail/Cpu.h"

namespace conkit::detail {

#if defined(CONKIT_X86_VECTORS)

namespace {

// Two bytes x and y are equal case-blind when x ^ y is 0, or when it is
// exactly the case bit 0x20 and x is a letter, that is x | 0x20 is one of 'a'
// to 'z'. Shifted by 128 - 'a', exactly those fall below -128 + 26 in a
// signed comparison. That takes seven operations per vector, where folding
// both sides and comparing would take nine.

/// Nonzero bytes where the 16 bytes at `a` and `b` differ case-blind.
__m128i differ16(const char* a, const char* b) noexcept {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    const __m128i bit = _mm_set1_epi8(0x20);
    const __m128i differ = _mm_xor_si128(x, y);
    const __m128i shifted =
        _mm_add_epi8(_mm_or_si128(x, bit), _mm_set1_epi8(static_cast<char>(128 - 'a')));
    const __m128i letter = _mm_cmplt_epi8(shifted, _mm_set1_epi8(-128 + 26));
    const __m128i caseOnly = _mm_and_si128(_mm_cmpeq_epi8(differ, bit), letter);
    return _mm_andnot_si128(caseOnly, differ);
}

/// -1 or 1 by the byte pair at `a` + i and `b` + i, where i is the lowest
/// clear bit of `equal`.
int orderAt(const char* a, const char* b, unsigned equal) noexcept {
    const auto i = static_cast<std::size_t>(__builtin_ctz(~equal));
    return foldedSigned(a[i]) < foldedSigned(b[i]) ? -1 : 1;
}

/// `size` is at least 16. The last block may overlap the one before it: the
/// bytes they share are known to be equal, so its first difference is still
/// the first of all.
int compareFoldedSse2(const char* a, const char* b, std::size_t size) noexcept {
    for (std::size_t at = 0;; at += 16) {
        if (at + 16 > size) {
            at = size - 16;
        }
        const auto equal = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(differ16(a + at, b + at), _mm_setzero_si128())));
        if (equal != 0xFFFFU) {
            return orderAt(a + at, b + at, equal | 0xFFFF0000U);
        }
        if (at + 16 == size) {
            return 0;
        }
    }
}

/// Nonzero bytes where the 32 bytes at `a` and `b` differ case-blind.
__attribute__((target("avx2"))) __m256i differ32(const char* a, const char* b) noexcept {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
    const __m256i bit = _mm256_set1_epi8(0x20);
    const __m256i differ = _mm256_xor_si256(x, y);
    const __m256i shifted =
        _mm256_add_epi8(_mm256_or_si256(x, bit), _mm256_set1_epi8(static_cast<char>(128 - 'a')));
    const __m256i letter = _mm256_cmpgt_epi8(_mm256_set1_epi8(-128 + 26), shifted);
    const __m256i caseOnly = _mm256_and_si256(_mm256_cmpeq_epi8(differ, bit), letter);
    return _mm256_andnot_si256(caseOnly, differ);
}

/// `size` is at least 16. Two 32-byte blocks per step with one test while
/// they are equal; the block with the difference is then found one at a
/// time, and the last block overlaps as in the SSE2 kernel.
__attribute__((target("avx2"))) int compareFoldedAvx2(const char* a, const char* b,
                                                      std::size_t size) noexcept {
    if (size < 32) {
        return compareFoldedSse2(a, b, size);
    }
    std::size_t at = 0;
    for (; at + 64 <= size; at += 64) {
        const __m256i either =
            _mm256_or_si256(differ32(a + at, b + at), differ32(a + at + 32, b + at + 32));
        if (_mm256_testz_si256(either, either) == 0) {
            break;
        }
    }
    for (; at < size; at += 32) {
        if (at + 32 > size) {
            at = size - 32;
        }
        const auto equal = static_cast<unsigned>(_mm256_movemask_epi8(
            _mm256_cmpeq_epi8(differ32(a + at, b + at), _mm256_setzero_si256())));
        if (equal != 0xFFFFFFFFU) {
            return orderAt(a + at, b + at, equal);
        }
    }
    return 0;
}

using Kernel = int (*)(const char*, const char*, std::size_t) noexcept;

} // namespace

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
    if (size < 16) {
        return compareFoldedScalar(a, b, size);
    }
    // Chosen once, by what the processor has; constant from then on.
    static const Kernel kernel = useAvx2() ? compareFoldedAvx2 : compareFoldedSse2;
    return kernel(a, b, size);
}

#else

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
    return compareFoldedScalar(a, b, size);
}

#endif

} // namespace conkit::detail
