// Case-blind comparison: 16 or 32 bytes at a time with SSE2 or AVX2 (chosen
// once, at first use, by what the processor has), and the plain scan it must
// agree with.
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

/// -1 or 1 by the first byte pair at `a` + i and `b` + i, where i is the
/// first clear bit of `equal`.
int orderAt(const char* a, const char* b, unsigned equal) noexcept {
    const auto i = static_cast<std::size_t>(__builtin_ctz(~equal));
    return foldedSigned(a[i]) < foldedSigned(b[i]) ? -1 : 1;
}

int compareFoldedSse2(const char* a, const char* b, std::size_t size) noexcept {
    std::size_t at = 0;
    for (; at + 16 <= size; at += 16) {
        const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + at));
        const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + at));
        const auto equal =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(fold16(x), fold16(y))));
        if (equal != 0xFFFF) {
            return orderAt(a + at, b + at, equal | 0xFFFF0000U);
        }
    }
    return compareFoldedScalar(a + at, b + at, size - at);
}

__attribute__((target("avx2"))) __m256i fold32(__m256i bytes) noexcept {
    const __m256i shifted = _mm256_add_epi8(bytes, _mm256_set1_epi8(static_cast<char>(128 - 'A')));
    const __m256i upper = _mm256_cmpgt_epi8(_mm256_set1_epi8(-128 + 26), shifted);
    return _mm256_add_epi8(bytes, _mm256_and_si256(upper, _mm256_set1_epi8(0x20)));
}

__attribute__((target("avx2"))) int compareFoldedAvx2(const char* a, const char* b,
                                                      std::size_t size) noexcept {
    std::size_t at = 0;
    for (; at + 32 <= size; at += 32) {
        const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + at));
        const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + at));
        const auto equal =
            static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(fold32(x), fold32(y))));
        if (equal != 0xFFFFFFFFU) {
            return orderAt(a + at, b + at, equal);
        }
    }
    return compareFoldedSse2(a + at, b + at, size - at);
}

} // namespace

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
    return size >= 32 && useAvx2() ? compareFoldedAvx2(a, b, size) : compareFoldedSse2(a, b, size);
}

#else

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
    return compareFoldedScalar(a, b, size);
}

#endif

} // namespace conkit::detail
