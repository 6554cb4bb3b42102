// What the processor runs, asked of the compiler's checks.
#include "slices/detail/Cpu.h"

namespace conkit::detail {

Vectors availableVectors() noexcept {
#if !defined(CONKIT_X86_VECTORS)
    return Vectors::scalar;
#elif defined(CONKIT_SSE2_ONLY)
    return Vectors::sse2;
#else
    // The compiler's checks include the operating system's support for the
    // registers; __builtin_cpu_init makes them safe to ask while static
    // objects are set up. The AVX-512BW level also uses BMI1 and BMI2 (every
    // processor with AVX-512BW has them; asked all the same).
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") == 0) {
        return Vectors::sse2;
    }
    const bool avx512 = __builtin_cpu_supports("avx512bw") != 0 &&
                        __builtin_cpu_supports("bmi") != 0 && __builtin_cpu_supports("bmi2") != 0;
    return avx512 ? Vectors::avx512 : Vectors::avx2;
#endif
}

} // namespace conkit::detail
