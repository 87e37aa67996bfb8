#pragma once

namespace lexoria {

// Whether the processor runs AVX2, which the scans of the whole statute use
// for thirty-two bytes at a time where they can. Asked once.
inline bool hasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

}  // namespace lexoria
