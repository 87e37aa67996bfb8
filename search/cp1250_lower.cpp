#include "search/cp1250_lower.h"

#include "search/byte_vector.h"
#include "search/vector_paths.h"

#include <array>

#if LEXORIA_X86_VECTORS
#include <immintrin.h>
#endif

namespace lexoria {

namespace {

// Capitals A-Z, Š Ś Ť Ž Ź, Ł Ą Ş Ż Ľ and Ŕ-Ţ (but not ×) map to their small
// letters; every other byte stands for itself.
constexpr std::array<unsigned char, 256> lowerOf = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F,  // 0x00
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D, 0x1E, 0x1F,  // 0x10
    0x20, 0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F,  // 0x20
    0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3D, 0x3E, 0x3F,  // 0x30
    0x40, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,  // 0x40
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,  // 0x50
    0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,  // 0x60
    0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,  // 0x70
    0x80, 0x81, 0x82, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x9A, 0x8B, 0x9C, 0x9D, 0x9E, 0x9F,  // 0x80
    0x90, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D, 0x9E, 0x9F,  // 0x90
    0xA0, 0xA1, 0xA2, 0xB3, 0xA4, 0xB9, 0xA6, 0xA7, 0xA8, 0xA9, 0xBA, 0xAB, 0xAC, 0xAD, 0xAE, 0xBF,  // 0xA0
    0xB0, 0xB1, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBE, 0xBD, 0xBE, 0xBF,  // 0xB0
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF,  // 0xC0
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xD7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xDF,  // 0xD0
    0xE0, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE, 0xEF,  // 0xE0
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,  // 0xF0
};

// The pages are ISO-8859-2, where 0xA9 and 0xAE are the capitals Š and Ž;
// the Windows-1250 map leaves them (© and ® there), so that "Šola" in a page
// would never match the query "šola". Page text lowers them to š and ž.
constexpr std::array<unsigned char, 256> pageLowerOf = [] {
    std::array<unsigned char, 256> table = lowerOf;
    table[0xA9] = 0xB9;
    table[0xAE] = 0xBE;
    return table;
}();

// The same maps worked out sixteen bytes at a time, four times as fast as the
// table: the load lowers all 32 MiB of the statute. The vectors are the
// compiler's, plain SSE2 on x86-64 and NEON on arm64.
using Bytes = ByteVector;

template <bool pageText>
Bytes lowered(Bytes c)
{
    const Bytes plusTwenty = ((Bytes)(c - 0x41) < 26) | (((Bytes)(c - 0xC0) < 31) & (c != 0xD7));
    Bytes plusSixteen = (c == 0x8A) | ((Bytes)(c - 0x8C) < 4) | (c == 0xA3) | (c == 0xA5) | (c == 0xAA)
                      | (c == 0xAF);
    if constexpr (pageText)
        plusSixteen |= (c == 0xA9) | (c == 0xAE);
    const Bytes plusFour = c == 0xA5;
    const Bytes plusTwo = c == 0xBC;
    return c + ((plusTwenty & 0x20) | (plusSixteen & 0x10) | (plusFour & 0x04) | (plusTwo & 0x02));
}

#if LEXORIA_X86_VECTORS
// The same maps worked out thirty-two bytes at a time where the processor
// has AVX2, twice the width and a third of the instructions of the compares
// above: a byte's high half picks a row of the table, its low half a column,
// and vpshufb looks both up. The rows that change (4x and 5x for A-Z, 8x,
// Ax, Bx, Cx, Dx) each get a bit; rowBit[high] is the row's bit and
// columnBits[low] holds the bits of the rows in which that column changes,
// so a byte changes where the two share a bit, by its row's step. Ą (0xA5)
// alone steps further than the rest of its row; bit 7 marks it. The tables
// are worked out from the byte map, so the two cannot disagree.
struct NibbleTables {
    std::array<unsigned char, 16> rowBit{};
    std::array<unsigned char, 16> columnBits{};
    std::array<unsigned char, 16> rowStep{};
    unsigned char oddStep = 0;  // what the byte marked by bit 7 adds beyond its row's step
};

constexpr unsigned char oddBit = 0x80;

constexpr NibbleTables nibbleTablesOf(const std::array<unsigned char, 256>& table)
{
    NibbleTables tables;
    unsigned char nextBit = 1;
    for (unsigned c = 0; c < 256; ++c) {
        const auto step = static_cast<unsigned char>(table[c] - c);
        if (step == 0)
            continue;
        const unsigned high = c >> 4;
        const unsigned low = c & 0x0F;
        if (tables.rowBit[high] == 0) {
            if (nextBit == oddBit)
                throw "more rows change than the bits can tell apart";
            tables.rowBit[high] = nextBit;
            tables.rowStep[high] = step;
            nextBit = static_cast<unsigned char>(nextBit << 1);
        }
        tables.columnBits[low] |= tables.rowBit[high] & ~oddBit;
        if (step != tables.rowStep[high]) {
            if (tables.oddStep != 0)
                throw "more than one byte steps apart from its row";
            tables.rowBit[high] |= oddBit;
            tables.columnBits[low] |= oddBit;
            tables.oddStep = static_cast<unsigned char>(step - tables.rowStep[high]);
        }
    }
    return tables;
}

constexpr NibbleTables queryNibbles = nibbleTablesOf(lowerOf);
constexpr NibbleTables pageNibbles = nibbleTablesOf(pageLowerOf);

__attribute__((target("avx2"))) __m256i bothLanes(const std::array<unsigned char, 16>& table)
{
    return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table.data())));
}

template <const NibbleTables& nibbles>
__attribute__((target("avx2"))) std::size_t lowerBlocksAvx2(char* text, std::size_t size)
{
    const __m256i rowBit = bothLanes(nibbles.rowBit);
    const __m256i columnBits = bothLanes(nibbles.columnBits);
    const __m256i rowStep = bothLanes(nibbles.rowStep);
    const __m256i oddStep = _mm256_set1_epi8(static_cast<char>(nibbles.oddStep));
    const __m256i lowHalf = _mm256_set1_epi8(0x0F);
    const __m256i zero = _mm256_setzero_si256();
    std::size_t done = 0;
    for (; size - done >= sizeof(__m256i); done += sizeof(__m256i)) {
        auto* block = reinterpret_cast<__m256i*>(text + done);
        const __m256i c = _mm256_loadu_si256(block);
        const __m256i high = _mm256_and_si256(_mm256_srli_epi16(c, 4), lowHalf);
        const __m256i low = _mm256_and_si256(c, lowHalf);
        const __m256i shared = _mm256_and_si256(_mm256_shuffle_epi8(rowBit, high), _mm256_shuffle_epi8(columnBits, low));
        const __m256i step = _mm256_andnot_si256(_mm256_cmpeq_epi8(shared, zero), _mm256_shuffle_epi8(rowStep, high));
        const __m256i odd = _mm256_and_si256(_mm256_cmpgt_epi8(zero, shared), oddStep);
        _mm256_storeu_si256(block, _mm256_add_epi8(c, _mm256_add_epi8(step, odd)));
    }
    return done;
}
#endif

template <bool pageText>
std::size_t lowerBlocksOf16(char* text, std::size_t size)
{
    std::size_t done = 0;
    for (; size - done >= sizeof(Bytes); done += sizeof(Bytes))
        storeBytes(text + done, lowered<pageText>(loadBytes(text + done)));
    return done;
}

// Whole blocks of thirty-two bytes where asked for, then sixteen bytes at a
// time, then byte by byte.
template <bool pageText>
void lowerInPlace(std::string& text, [[maybe_unused]] bool wideBlocks)
{
    constexpr const std::array<unsigned char, 256>& table = pageText ? pageLowerOf : lowerOf;
    std::size_t done = 0;
#if LEXORIA_X86_VECTORS
    constexpr const NibbleTables& nibbles = pageText ? pageNibbles : queryNibbles;
    if (wideBlocks)
        done = lowerBlocksAvx2<nibbles>(text.data(), text.size());
#endif
    done += lowerBlocksOf16<pageText>(text.data() + done, text.size() - done);
    for (; done != text.size(); ++done)
        text[done] = static_cast<char>(table[static_cast<unsigned char>(text[done])]);
}

bool hasWideBlocks()
{
#if LEXORIA_X86_VECTORS
    return hasAvx2();
#else
    return false;
#endif
}

}  // namespace

unsigned char cp1250Lower(unsigned char c)
{
    return lowerOf[c];
}

void cp1250LowerInPlace(std::string& text)
{
    lowerInPlace<false>(text, hasWideBlocks());
}

void lowerPageText(std::string& text)
{
    lowerInPlace<true>(text, hasWideBlocks());
}

#if LEXORIA_X86_VECTORS
void cp1250LowerInPlace(std::string& text, LowerBlocks blocks)
{
    lowerInPlace<false>(text, blocks == LowerBlocks::avx2);
}

void lowerPageText(std::string& text, LowerBlocks blocks)
{
    lowerInPlace<true>(text, blocks == LowerBlocks::avx2);
}
#endif

}  // namespace lexoria
