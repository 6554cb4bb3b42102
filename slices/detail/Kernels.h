// The one table of kernels that the searches and comparisons run, and the
// level of vector instructions it holds. Internal: not installed.
#pragma once

#include "slices/detail/Cpu.h"

#include <cstddef>
#include <cstdint>

namespace conkit {
class StrSlice;
} // namespace conkit

namespace conkit::detail {

/// The number of candidates that a mark kernel looks at.
constexpr std::size_t markedWindow = 256;

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
