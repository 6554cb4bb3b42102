// Case-blind comparison, 16, 32 or 64 bytes at a time with SSE2 or AVX2
// (chosen once, at first use, by what the processor has).
#include "slices/detail/FoldCompare.h"

#include "slices/detail/Cpu.h"

namespace conkit::detail {

#if defined(CONKIT_X86_VECTORS)

namespace {

/// Adds 0x20 to the bytes 'A' to 'Z': shifted by 128 - 'A', exactly the
/// upper-case letters fall below -128 + 26 in a signed comparison.
__m128i fold16(__m128i bytes) noexcept {
    const __m128i shifted = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(128 - 'A')));
    const __m128i upper = _mm_cmplt_epi8(shifted, _mm_set1_epi8(-128 + 26));
    return _mm_add_epi8(bytes, _mm_and_si128(upper, _mm_set1_epi8(0x20)));
}

/// Bit i set where byte i of the 16 at `a` and at `b` fold to the same byte.
unsigned equal16(const char* a, const char* b) noexcept {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(fold16(x), fold16(y))));
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
        const unsigned equal = equal16(a + at, b + at);
        if (equal != 0xFFFFU) {
            return orderAt(a + at, b + at, equal | 0xFFFF0000U);
        }
        if (at + 16 == size) {
            return 0;
        }
    }
}

__attribute__((target("avx2"))) __m256i fold32(__m256i bytes) noexcept {
    const __m256i shifted = _mm256_add_epi8(bytes, _mm256_set1_epi8(static_cast<char>(128 - 'A')));
    const __m256i upper = _mm256_cmpgt_epi8(_mm256_set1_epi8(-128 + 26), shifted);
    return _mm256_add_epi8(bytes, _mm256_and_si256(upper, _mm256_set1_epi8(0x20)));
}

/// Nonzero bytes where the 32 bytes at `a` and `b` differ once folded.
__attribute__((target("avx2"))) __m256i differ32(const char* a, const char* b) noexcept {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
    return _mm256_xor_si256(fold32(x), fold32(y));
}

/// `size` is at least 32. Two blocks per step with one test while they are
/// equal; the block with the difference is then found one at a time, and
/// the last block overlaps as in the SSE2 kernel.
__attribute__((target("avx2"))) int compareFoldedAvx2(const char* a, const char* b,
                                                      std::size_t size) noexcept {
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
        const __m256i differ = differ32(a + at, b + at);
        const auto equal = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(differ, _mm256_setzero_si256())));
        if (equal != 0xFFFFFFFFU) {
            return orderAt(a + at, b + at, equal);
        }
    }
    return 0;
}

} // namespace

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
    if (size >= 32 && useAvx2()) {
        return compareFoldedAvx2(a, b, size);
    }
    return size >= 16 ? compareFoldedSse2(a, b, size) : compareFoldedScalar(a, b, size);
}

#else

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
    return compareFoldedScalar(a, b, size);
}

#endif

} // namespace conkit::detail
