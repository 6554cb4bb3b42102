// Which vector instructions the searches and comparisons may use, decided at
// compile time. Internal: not installed.
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

/// The widest vector kernels that this processor runs and the build allows.
/// Builds with CONKIT_SSE2_ONLY keep to the SSE2 kernels, so that tests can
/// run those on any machine.
enum class Vectors { sse2, avx2, avx512 };

inline Vectors vectors() noexcept {
#if defined(CONKIT_SSE2_ONLY) || !defined(CONKIT_X86_VECTORS)
    return Vectors::sse2;
#else
    // Asked once; the answer never changes while the process runs. The
    // compiler's checks include the operating system's support for the
    // registers. The AVX-512BW kernels leave short runs to the AVX2 ones.
    // The first call may come while static objects are set up, perhaps
    // before the compiler's own set-up of the answers has run: asking for it
    // again is harmless.
    static const Vectors available = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") == 0       ? Vectors::sse2
               : __builtin_cpu_supports("avx512bw") == 0 ? Vectors::avx2
                                                         : Vectors::avx512;
    }();
    return available;
#endif
}

/// True when the AVX2 kernels may run.
inline bool useAvx2() noexcept {
    return vectors() != Vectors::sse2;
}

/// True when the AVX-512BW kernels may run.
inline bool useAvx512() noexcept {
    return vectors() == Vectors::avx512;
}

} // namespace conkit::detail
