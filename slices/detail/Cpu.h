// Which vector instructions the searches and comparisons may use: what the
// build compiles and what this processor runs. Internal: not installed.
//
// The vector kernels use x86 intrinsics together with GCC and clang
// extensions (__builtin_ctz, __builtin_clz, __attribute__((target)),
// __builtin_cpu_supports), so they are compiled only for x86-64 with GCC or
// clang. Everywhere else (MSVC and clang-cl, which define _MSC_VER; 32-bit
// x86, where SSE2 may be missing; aarch64, s390x and other processors) the
// plain byte loops are all that is compiled. CONKIT_SCALAR_ONLY forces the
// plain loops on x86-64 too, so that the tests exercise them there.
#pragma once

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__)) && !defined(_MSC_VER) &&      \
    !defined(CONKIT_SCALAR_ONLY)
#include <immintrin.h>
#define CONKIT_X86_VECTORS 1
#endif

namespace conkit::detail {

/// Levels of kernels, each running on every processor that runs the next.
enum class Vectors { scalar, sse2, avx2, avx512 };

/// The highest level that this processor runs and the build allows. Builds
/// with CONKIT_SSE2_ONLY stop at SSE2, so that tests can run those kernels on
/// any machine. Asks the processor on every call. Out of line, in Cpu.cpp:
/// CONKIT_SSE2_ONLY is the library's own setting, which its callers (the
/// tests among them) do not see.
Vectors availableVectors() noexcept;

} // namespace conkit::detail
