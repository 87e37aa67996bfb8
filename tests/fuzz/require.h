#pragma once

#include <cstdio>
#include <cstdlib>

namespace lexoria::fuzz {

// A broken property is a finding like a crash: libFuzzer saves the input
// that led here when the process aborts.
inline void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

}  // namespace lexoria::fuzz
