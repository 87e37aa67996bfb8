#pragma once

#include <cstring>

namespace lexoria {

// Sixteen bytes in one of the compiler's vectors (GCC and Clang): SSE2 on
// x86-64, NEON on arm64, whatever the processor has elsewhere.
using ByteVector = unsigned char __attribute__((vector_size(16)));

inline ByteVector loadBytes(const char* at)
{
    ByteVector bytes;
    std::memcpy(&bytes, at, sizeof bytes);
    return bytes;
}

inline void storeBytes(char* at, ByteVector bytes)
{
    std::memcpy(at, &bytes, sizeof bytes);
}

}  // namespace lexoria
