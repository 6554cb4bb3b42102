// Case-blind comparison, 16, 32, 64 or 128 bytes at a time with SSE2, AVX2 or
// AVX-512BW (by the level of the kernel table, Kernels.h), and the whole case-blind
// comparison of two slices on top of it, with a one-step path for up to 64
// bytes under AVX2 (from 33 on) and AVX-512BW.
#include "slices/detail/FoldCompare.h"

#include "slices/StrSlice.h"

#include <algorithm>
#include <cstdint>

namespace conkit::detail {

namespace {

/// How many bytes of `slice` may be read: none when its pointer is null.
std::uint32_t readableSize(const StrSlice& slice) noexcept {
    return slice.data() != nullptr ? slice.size() : 0;
}

} // namespace

#if defined(CONKIT_X86_VECTORS)

namespace {

/// 64 copies of one byte, to load as a vector.
struct alignas(64) Splat64 {
    char bytes[64];
};

constexpr Splat64 splat64(char c) noexcept {
    Splat64 out{};
    for (char& b : out.bytes) {
        b = c;
    }
    return out;
}

constexpr Splat64 caseBits = splat64(0x20);
constexpr Splat64 minusUpperA = splat64(static_cast<char>(-'A'));
constexpr Splat64 letterCount = splat64(26);
constexpr Splat64 toSignedLetters = splat64(static_cast<char>(128 - 'a'));
constexpr Splat64 signedLetterEnd = splat64(-128 + 26);

// `constant` as a vector, in one load. Left to themselves, the compilers
// build such vectors from an immediate with a broadcast that takes two uops
// on the shuffle port, which the comparisons need as well; in a kernel this
// short that costs more than the loads.

__attribute__((target("avx2"))) inline __m256i loadConstant256(const Splat64& constant) noexcept {
    __m256i vector;
    asm("vmovdqa %1, %0" : "=x"(vector) : "m"(constant));
    return vector;
}

__attribute__((target("avx512f"))) inline __m512i
loadConstant512(const Splat64& constant) noexcept {
    __m512i vector;
    asm("vmovdqa64 %1, %0" : "=v"(vector) : "m"(constant));
    return vector;
}

/// `foldedSigned` of every byte, by its unsigned value.
struct FoldedBytes {
    signed char values[256];
};

constexpr FoldedBytes foldedBytes = [] {
    FoldedBytes table{};
    for (int i = 0; i < 256; ++i) {
        table.values[i] = static_cast<signed char>(foldedSigned(static_cast<char>(i)));
    }
    return table;
}();

/// -1 or 1 by the byte pair at `a` + i and `b` + i, where i is the lowest set
/// bit of `differing`, which is not 0. The folded bytes come from the table:
/// two loads, where folding them takes a comparison and a move each; and the
/// sign of their difference is its top bit, read unsigned and negated.
int orderAt(const char* a, const char* b, std::uint64_t differing) noexcept {
    const auto i = static_cast<unsigned>(__builtin_ctzll(differing));
    const int order = foldedBytes.values[static_cast<unsigned char>(a[i])] -
                      foldedBytes.values[static_cast<unsigned char>(b[i])];
    return -static_cast<int>(static_cast<unsigned>(order) >> 31) | 1;
}

// Two bytes x and y are equal case-blind when x ^ y is 0, or when it is
// exactly the case bit 0x20 and x is a letter, that is x | 0x20 is one of 'a'
// to 'z'. So x ^ y with the case bit cleared where x is a letter is nonzero
// exactly where the bytes differ case-blind. Shifted by 128 - 'a', the
// letters fall below -128 + 26 in a signed comparison: six operations per
// vector in all.

/// Nonzero bytes where the 16 bytes at `a` and `b` differ case-blind.
__m128i differ16(const char* a, const char* b) noexcept {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b));
    const __m128i bit = _mm_set1_epi8(0x20);
    const __m128i shifted =
        _mm_add_epi8(_mm_or_si128(x, bit), _mm_set1_epi8(static_cast<char>(128 - 'a')));
    const __m128i letter = _mm_cmplt_epi8(shifted, _mm_set1_epi8(-128 + 26));
    return _mm_andnot_si128(_mm_and_si128(letter, bit), _mm_xor_si128(x, y));
}

/// Set bits for the bytes of a vector from `differ16` that are nonzero.
std::uint32_t nonzero16(__m128i differ) noexcept {
    return ~static_cast<std::uint32_t>(
               _mm_movemask_epi8(_mm_cmpeq_epi8(differ, _mm_setzero_si128()))) &
           0xFFFFU;
}

/// `size` is at least 16. The last block may overlap the one before it: the
/// bytes they share are known to be equal, so its first difference is still
/// the first of all.
int compareFoldedSse2(const char* a, const char* b, std::size_t size) noexcept {
    for (std::size_t at = 0;; at += 16) {
        if (at + 16 > size) {
            at = size - 16;
        }
        const std::uint32_t differing = nonzero16(differ16(a + at, b + at));
        if (differing != 0) {
            return orderAt(a + at, b + at, differing);
        }
        if (at + 16 == size) {
            return 0;
        }
    }
}

/// Set bits for the bytes of a 32-byte vector that are nonzero.
__attribute__((target("avx2"))) std::uint64_t nonzero32(__m256i differ) noexcept {
    return ~static_cast<std::uint32_t>(
        _mm256_movemask_epi8(_mm256_cmpeq_epi8(differ, _mm256_setzero_si256())));
}

/// Where blocks of 16 bytes differ case-blind.
struct Blocks16 {
    static constexpr std::size_t width = 16;
    /// Set bits for the bytes where the blocks at `a` and `b` differ.
    std::uint32_t differing(const char* a, const char* b) const noexcept {
        return nonzero16(differ16(a, b));
    }
};

/// Where blocks of 32 bytes differ case-blind, with the constants loaded once.
struct Blocks32 {
    static constexpr std::size_t width = 32;
    __m256i bit;
    __m256i toSigned;
    __m256i letterEnd;
    __attribute__((target("avx2"))) Blocks32() noexcept
        : bit(loadConstant256(caseBits)), toSigned(loadConstant256(toSignedLetters)),
          letterEnd(loadConstant256(signedLetterEnd)) {}
    /// Nonzero bytes where the blocks at `a` and `b` differ.
    __attribute__((target("avx2"))) __m256i differ(const char* a, const char* b) const noexcept {
        __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
        // `x` has two uses, and the compiler would fold its load into both: two
        // loads, often split across cache lines, where one will do. The empty
        // asm keeps `x` in a register.
        asm("" : "+x"(x));
        const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
        const __m256i letter =
            _mm256_cmpgt_epi8(letterEnd, _mm256_add_epi8(_mm256_or_si256(x, bit), toSigned));
        return _mm256_andnot_si256(_mm256_and_si256(letter, bit), _mm256_xor_si256(x, y));
    }
    /// Set bits for the bytes where the blocks at `a` and `b` differ.
    __attribute__((target("avx2"))) std::uint32_t differing(const char* a,
                                                            const char* b) const noexcept {
        return static_cast<std::uint32_t>(nonzero32(differ(a, b)));
    }
};

/// -1, 0 or 1 by the first pair of the `size` bytes at `a` and `b` (one to
/// two blocks) that differ case-blind, in one step: two blocks, the second
/// ending at the end and overlapping the first as much as it must. The bytes
/// they share are equal when the first block is, so the second's first
/// difference is then the first of all. For the AVX2 kernels, which inline it.
template <class Blocks>
int compareTwoBlocks(const char* a, const char* b, std::size_t size) noexcept {
    const Blocks blocks;
    const std::uint32_t first = blocks.differing(a, b);
    if (first != 0) {
        return orderAt(a, b, first);
    }
    const std::size_t last = size - Blocks::width;
    const std::uint32_t second = blocks.differing(a + last, b + last);
    return second != 0 ? orderAt(a + last, b + last, second) : 0;
}

/// `compareTwoBlocks` of 32 bytes: 33 to 64 bytes.
__attribute__((target("avx2"), flatten)) int compare33To64Avx2(const char* a, const char* b,
                                                               std::uint32_t size) noexcept {
    return compareTwoBlocks<Blocks32>(a, b, size);
}

/// `size` is at least 16. Up to 32 bytes: `compareTwoBlocks` of 16 bytes.
/// Beyond: two 32-byte blocks per step with one test while more than 64
/// bytes remain; the masks of the pair with the difference then give its
/// place. The last 1 to 64 bytes, with as many before them as make 33, are
/// one step of `compare33To64Avx2`.
__attribute__((target("avx2"), flatten)) int compareFoldedAvx2(const char* a, const char* b,
                                                               std::size_t size) noexcept {
    if (size <= 32) {
        return compareTwoBlocks<Blocks16>(a, b, size);
    }
    const Blocks32 blocks;
    std::size_t at = 0;
    for (; at + 64 < size; at += 64) {
        const __m256i low = blocks.differ(a + at, b + at);
        const __m256i high = blocks.differ(a + at + 32, b + at + 32);
        const __m256i either = _mm256_or_si256(low, high);
        if (_mm256_testz_si256(either, either) == 0) {
            return orderAt(a + at, b + at, nonzero32(low) | (nonzero32(high) << 32));
        }
    }
    if (at != 0) {
        at = std::min(at, size - 33);
    }
    return compare33To64Avx2(a + at, b + at, static_cast<std::uint32_t>(size - at));
}

/// Set bits where the 64 bytes `x` and `y` differ case-blind: where x ^ y
/// keeps a bit once the case bit is cleared from it for the letters of `x`.
__attribute__((target("avx512bw"))) std::uint64_t differ64(__m512i x, __m512i y) noexcept {
    const __m512i bit = _mm512_set1_epi8(0x20);
    const __mmask64 letter = _mm512_cmplt_epu8_mask(
        _mm512_sub_epi8(_mm512_or_si512(x, bit), _mm512_set1_epi8('a')), _mm512_set1_epi8(26));
    const __m512i kept = _mm512_mask_blend_epi8(letter, _mm512_set1_epi8(-1),
                                                _mm512_set1_epi8(static_cast<char>(~0x20)));
    return _mm512_test_epi8_mask(_mm512_xor_si512(x, y), kept);
}

/// The same for the 64 bytes at `a` and `b`.
__attribute__((target("avx512bw"))) std::uint64_t differ64(const char* a, const char* b) noexcept {
    __m512i x = _mm512_loadu_si512(a);
    asm("" : "+x"(x)); // one load of `x`, as in Blocks32
    return differ64(x, _mm512_loadu_si512(b));
}

/// `size` is at least 16. Blocks of 64 bytes, two per step while they are
/// equal; the last block overlaps as in the SSE2 kernel. Fewer than 64 bytes
/// go to the AVX2 kernel, which takes them in one or two blocks without
/// loads under a mask.
__attribute__((target("avx512bw"))) int compareFoldedAvx512(const char* a, const char* b,
                                                            std::size_t size) noexcept {
    if (size < 64) {
        return compareFoldedAvx2(a, b, size);
    }
    std::size_t at = 0;
    for (; at + 128 <= size; at += 128) {
        const std::uint64_t low = differ64(a + at, b + at);
        const std::uint64_t high = differ64(a + at + 64, b + at + 64);
        if ((low | high) != 0) {
            return low != 0 ? orderAt(a + at, b + at, low)
                            : orderAt(a + at + 64, b + at + 64, high);
        }
    }
    for (; at < size; at += 64) {
        if (at + 64 > size) {
            at = size - 64;
        }
        const std::uint64_t differing = differ64(a + at, b + at);
        if (differing != 0) {
            return orderAt(a + at, b + at, differing);
        }
    }
    return 0;
}

/// -1 or 1 by the first pair of the `common` bytes at `a` and `b` (1 to 64)
/// that differ case-blind, 0 when there is none. One load per side: under a
/// mask for fewer than 64 bytes, which reads nothing past the end (and cannot
/// fault there); a whole block needs no mask, and its loads then wait for
/// nothing but the addresses. Both sides are folded to lower case and
/// compared as signed bytes twice, for the pairs that order low and those
/// that order high: the first differing pair is the lowest set bit of
/// either, and the one with the lower first bit decides. Both counts of
/// trailing zeros are 64 when nothing differs.
__attribute__((target("avx512bw,bmi,bmi2"))) inline int order64(const char* a, const char* b,
                                                                std::uint32_t common) noexcept {
    __m512i x;
    __m512i y;
    if (common < 64) {
        const __mmask64 mask = _bzhi_u64(~std::uint64_t{0}, common);
        x = _mm512_maskz_loadu_epi8(mask, a);
        y = _mm512_maskz_loadu_epi8(mask, b);
    } else {
        x = _mm512_loadu_si512(a);
        y = _mm512_loadu_si512(b);
    }
    const __m512i minusA = loadConstant512(minusUpperA);
    const __m512i letters = loadConstant512(letterCount);
    const __m512i bit = loadConstant512(caseBits);
    const __mmask64 upperX = _mm512_cmplt_epu8_mask(_mm512_add_epi8(x, minusA), letters);
    const __mmask64 upperY = _mm512_cmplt_epu8_mask(_mm512_add_epi8(y, minusA), letters);
    const __m512i foldedX = _mm512_mask_add_epi8(x, upperX, x, bit);
    const __m512i foldedY = _mm512_mask_add_epi8(y, upperY, y, bit);
    const std::uint64_t firstLow = _tzcnt_u64(_mm512_cmplt_epi8_mask(foldedX, foldedY));
    const std::uint64_t firstHigh = _tzcnt_u64(_mm512_cmpgt_epi8_mask(foldedX, foldedY));
    return firstLow < firstHigh ? -1 : (firstLow > firstHigh ? 1 : 0);
}

/// The slice comparison with `blocks` from 16 bytes in common, the plain loop
/// below that.
template <FoldKernel blocks>
int compareSlicesWith(const StrSlice& slice, const char* sought, std::uint32_t count) noexcept {
    return compareSlices(slice.data(), readableSize(slice), sought, count,
                         [](const char* a, const char* b, std::size_t common) noexcept {
                             return common < 16 ? compareFoldedScalar(a, b, common)
                                                : blocks(a, b, common);
                         });
}

// The slice comparisons that the one-step kernels below leave to the block
// loops. Out of line, so that their code does not crowd the one step's
// registers; flattened, so that the loops of their level are inlined.

__attribute__((target("avx2"), flatten, noinline)) int
compareOtherSlicesAvx2(const StrSlice& slice, const char* sought, std::uint32_t count) noexcept {
    return compareSlicesWith<compareFoldedAvx2>(slice, sought, count);
}

__attribute__((target("avx512bw"), flatten, noinline)) int
compareOtherSlicesAvx512(const StrSlice& slice, const char* sought, std::uint32_t count) noexcept {
    return compareSlicesWith<compareFoldedAvx512>(slice, sought, count);
}

/// The slice comparison by `shortOrder` (-1, 0 or 1 for `least` to 64 bytes in
/// common at a and b), in one step, without a call, and by `rest` for
/// everything else. For the kernels below, which inline it.
template <auto shortOrder, std::uint32_t least, auto rest>
int compareSlicesInOneStep(const StrSlice& slice, const char* sought,
                           std::uint32_t count) noexcept {
    const std::uint32_t size = readableSize(slice);
    const std::uint32_t common = std::min(size, count);
    if (sought == nullptr || common - least > 64 - least) {
        return rest(slice, sought, count);
    }
    const int first = shortOrder(slice.data(), sought, common);
    return first != 0 ? first : shorterFirst(size, count);
}

/// The slice comparison with AVX2: 33 to 64 bytes in common in one step.
__attribute__((target("avx2"), flatten)) int
compareSlicesAvx2(const StrSlice& slice, const char* sought, std::uint32_t count) noexcept {
    return compareSlicesInOneStep<compare33To64Avx2, 33, compareOtherSlicesAvx2>(slice, sought,
                                                                                 count);
}

/// The slice comparison with AVX-512BW: 1 to 64 bytes in common in one step.
__attribute__((target("avx512bw,bmi,bmi2"), flatten)) int
compareSlicesAvx512(const StrSlice& slice, const char* sought, std::uint32_t count) noexcept {
    return compareSlicesInOneStep<order64, 1, compareOtherSlicesAvx512>(slice, sought, count);
}

} // namespace

void putFoldKernels(Vectors level, Kernels& table) noexcept {
    switch (level) {
    case Vectors::scalar:
        break;
    case Vectors::sse2:
        table.fold = compareFoldedSse2;
        table.sliceFold = compareSlicesWith<compareFoldedSse2>;
        break;
    case Vectors::avx2:
        table.fold = compareFoldedAvx2;
        table.sliceFold = compareSlicesAvx2;
        break;
    case Vectors::avx512:
        table.fold = compareFoldedAvx512;
        table.sliceFold = compareSlicesAvx512;
        break;
    }
}

#else

void putFoldKernels(Vectors, Kernels&) noexcept {}

#endif

int compareSlicesScalar(const StrSlice& slice, const char* sought, std::uint32_t count) noexcept {
    return compareSlices(slice.data(), readableSize(slice), sought, count, compareFoldedScalar);
}

int compareFolded(const char* a, const char* b, std::size_t size) noexcept {
    return size < 16 ? compareFoldedScalar(a, b, size) : kernels().fold(a, b, size);
}

} // namespace conkit::detail
