// Which vector instructions the searches may use. Internal: not installed.
#pragma once

// x86-64 with GCC or clang: SSE2 always, AVX2 in functions marked for it.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#define CONKIT_X86_VECTORS 1
#endif

namespace conkit::detail {

/// True when the processor has AVX2 and the build allows it. Builds with
/// CONKIT_SSE2_ONLY keep to the SSE2 kernels, so that tests can run those on
/// any machine.
inline bool useAvx2() noexcept {
#if defined(CONKIT_SSE2_ONLY) || !defined(CONKIT_X86_VECTORS)
    return false;
#else
    // Asked once; the answer never changes while the process runs.
    static const bool available = __builtin_cpu_supports("avx2") != 0;
    return available;
#endif
}

} // namespace conkit::detail
