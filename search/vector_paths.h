#pragma once

// Which vector paths the scans of the whole statute take: SSE2 on x86-64
// (every x86-64 processor runs it) and AVX2 where the processor has it, or a
// portable path in the compiler's vectors on every other processor, which
// arm64 builds as NEON.
#if defined(__x86_64__)
#define LEXORIA_X86_VECTORS 1
#else
#define LEXORIA_X86_VECTORS 0
#endif

namespace lexoria {

#if LEXORIA_X86_VECTORS
// Whether the processor runs AVX2, which the scans use for thirty-two bytes
// at a time where they can. Asked once.
inline bool hasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}
#endif

}  // namespace lexoria
