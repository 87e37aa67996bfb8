#pragma once

#include "search/vector_paths.h"

#include <string>

namespace lexoria {

// The Windows-1250 lower-case map: each byte taken as a Windows-1250
// character, lowered, and written back as its Windows-1250 byte. The query
// gets it.
unsigned char cp1250Lower(unsigned char c);
void cp1250LowerInPlace(std::string& text);

// The page texts get the same map although they are ISO-8859-2, and besides
// it their capitals Š (0xA9) and Ž (0xAE) become š (0xB9) and ž (0xBE), the
// codes the query gives those letters. Runs over the whole statute at load.
void lowerPageText(std::string& text);

// Both lowerings run over whole blocks of sixteen bytes, as every processor
// can in the compiler's vectors, or on x86-64 of thirty-two where it has AVX2
// (see hasAvx2), and the rest byte by byte. The functions above take the
// wider blocks where they can; tests try both.
#if LEXORIA_X86_VECTORS
enum class LowerBlocks { sse2, avx2 };
void cp1250LowerInPlace(std::string& text, LowerBlocks blocks);
void lowerPageText(std::string& text, LowerBlocks blocks);
#endif

}  // namespace lexoria
