// The one table of kernels that the searches and comparisons run, the level
// of vector instructions it holds, and the one vector kernel that runs inline
// under that level. Internal: not installed.
#pragma once

#include "slices/detail/Cpu.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace conkit {
class StrSlice;
} // namespace conkit

namespace conkit::detail {

/// The number of candidates that a mark kernel looks at.
constexpr std::size_t markedWindow = 256;

/// The number of bytes that `findInBlock` looks at.
constexpr std::size_t byteBlock = 16;

/// What a mark kernel did: how many candidates it looked at (0 for the plain
/// kernels, which leave tokenizers to search), and how many offsets it wrote.
struct Marks {
    std::size_t covered;
    std::size_t found;
};

/// A search of the `count` sought bytes among the `size` bytes of a text.
using SearchKernel = std::size_t (*)(const char* text, std::size_t size, const char* sought,
                                     std::size_t count) noexcept;
/// `markCandidates` (TextSearch.h) for one level.
using MarkKernel = Marks (*)(const char* text, const char* sought, std::size_t count,
                             unsigned char* offsets, std::size_t capacity) noexcept;
/// A case-blind order of `size` (16 or more) bytes at `a` and `b`: -1, 0 or 1.
using FoldKernel = int (*)(const char* a, const char* b, std::size_t size) noexcept;
/// `slice.compareNoCase(sought, count)` for one level. The slice comes by
/// reference, so that `StrSlice::compareNoCase` passes its own arguments on
/// untouched.
using SliceFoldKernel = int (*)(const StrSlice& slice, const char* sought,
                                std::uint32_t count) noexcept;

/// The kernels of one level. TextSearch.cpp and FoldCompare.cpp own them and
/// their contracts; they differ in speed only, never in results.
struct Kernels {
    Vectors level;
    std::size_t blockFrom;     // the least size that findByte runs findInBlock on
    SearchKernel findAfter;    // exact, forward, from 2 sought bytes on
    SearchKernel findLast;     // exact, backward, from 2 sought bytes on
    SearchKernel findNoCase;   // case-blind, forward
    MarkKernel mark;           // a window of candidates at once
    FoldKernel fold;           // case-blind order of 16 bytes or more
    SliceFoldKernel sliceFold; // case-blind slice comparison
};

/// The kernels in use: constant-initialised to the plain loops, so that code
/// run while static objects are set up finds working kernels, then set once,
/// while they are set up, to those of `availableVectors()`. Only `useKernels`
/// writes it; everything else reads it through `kernels()`.
extern Kernels kernelTable;

inline const Kernels& kernels() noexcept {
    return kernelTable;
}

/// True when findByte looks at the first `byteBlock` of `size` bytes with
/// `findInBlock` before it calls memchr: from `byteBlock` bytes on at the
/// vector levels, never at the plain one nor in builds without vectors.
inline bool blockFirst(std::size_t size) noexcept {
#if defined(CONKIT_X86_VECTORS)
    // One comparison with the table's bound, not a test of its level and one
    // of the size: this runs on every token of a CharSplitter.
    return size >= kernels().blockFrom;
#else
    static_cast<void>(size);
    return false;
#endif
}

/// Looks for `c` among the `byteBlock` bytes at `text`: true, with the offset
/// of the first in `at`, when it is there. The one kernel that runs inline
/// instead of through the table, so that the short fields of a tokenizer are
/// found without a call; `blockFirst` says when it runs.
inline bool findInBlock(const char* text, char c, std::size_t& at) noexcept {
#if defined(CONKIT_X86_VECTORS)
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text));
    const auto mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
    if (mask == 0) {
        return false;
    }
    at = static_cast<std::size_t>(__builtin_ctz(mask));
    return true;
#else
    const void* hit = std::memchr(text, c, byteBlock);
    if (hit == nullptr) {
        return false;
    }
    at = static_cast<std::size_t>(static_cast<const char*>(hit) - text);
    return true;
#endif
}

/// Puts the kernels of `level` in use and returns true; returns false and
/// changes nothing when `level` is above `availableVectors()`. For benchmarks
/// and tests, which measure or check every level the processor runs; call it
/// only while no other thread uses slices. Not exported from the shared
/// library, which exports the public interface alone: its callers link the
/// static one.
bool useKernels(Vectors level) noexcept;

/// The vector kernels of `level` (SSE2 or above), written over the plain ones
/// in `table`: the searches' by TextSearch.cpp, the comparisons' by
/// FoldCompare.cpp. Builds without vector kernels leave `table` alone.
void putTextKernels(Vectors level, Kernels& table) noexcept;
void putFoldKernels(Vectors level, Kernels& table) noexcept;

} // namespace conkit::detail
