#include "search/cp1250_lower.h"

#include "search/has_avx2.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The capitals of Windows-1250 as ranges, with what the first of each lowers to.
constexpr struct {
    unsigned first, last, lowered;
} capitals[] = {
    {0x41, 0x5A, 0x61},  // A-Z
    {0x8A, 0x8A, 0x9A},  // Š
    {0x8C, 0x8F, 0x9C},  // Ś Ť Ž Ź
    {0xA3, 0xA3, 0xB3},  // Ł
    {0xA5, 0xA5, 0xB9},  // Ą
    {0xAA, 0xAA, 0xBA},  // Ş
    {0xAF, 0xAF, 0xBF},  // Ż
    {0xBC, 0xBC, 0xBE},  // Ľ
    {0xC0, 0xD6, 0xE0},  // Ŕ-Ö
    {0xD8, 0xDE, 0xF8},  // Ř-Ţ, after ×
};

unsigned expectedLower(unsigned c)
{
    for (const auto& range : capitals)
        if (c >= range.first && c <= range.last)
            return range.lowered + (c - range.first);
    return c;
}

// Page text is ISO-8859-2: its Š and Ž lower to the codes of š and ž too.
unsigned expectedPageLower(unsigned c)
{
    return c == 0xA9 ? 0xB9 : c == 0xAE ? 0xBE : expectedLower(c);
}

void lowerByteByByte(std::string& text)
{
    for (char& c : text)
        c = static_cast<char>(lexoria::cp1250Lower(static_cast<unsigned char>(c)));
}

#if LEXORIA_X86_VECTORS
template <void (*lower)(std::string&, lexoria::LowerBlocks), lexoria::LowerBlocks blocks>
void lowerBy(std::string& text)
{
    lower(text, blocks);
}
#endif

// Texts are lowered in blocks of thirty-two bytes, then sixteen, then byte
// by byte: every byte value is tried at every position within a block and
// in tails of every length.
TEST(TextLoweringTest, LowersEveryByteAtAnyLengthAndPositionInEveryBlockWidth)
{
    const struct {
        const char* name;
        void (*lower)(std::string&);
        unsigned (*expected)(unsigned);
        bool runsHere;
    } lowerings[] = {
        {"one byte", lowerByteByByte, expectedLower, true},
        {"query", lexoria::cp1250LowerInPlace, expectedLower, true},
        {"page", lexoria::lowerPageText, expectedPageLower, true},
#if LEXORIA_X86_VECTORS
        {"query by SSE2", lowerBy<lexoria::cp1250LowerInPlace, lexoria::LowerBlocks::sse2>, expectedLower, true},
        {"page by SSE2", lowerBy<lexoria::lowerPageText, lexoria::LowerBlocks::sse2>, expectedPageLower, true},
        {"query by AVX2", lowerBy<lexoria::cp1250LowerInPlace, lexoria::LowerBlocks::avx2>, expectedLower, lexoria::hasAvx2()},
        {"page by AVX2", lowerBy<lexoria::lowerPageText, lexoria::LowerBlocks::avx2>, expectedPageLower, lexoria::hasAvx2()},
#endif
    };
    for (const auto& lowering : lowerings) {
        if (!lowering.runsHere)
            continue;  // the processor lacks AVX2
        for (std::size_t lead = 0; lead < 33; ++lead) {
            for (std::size_t tail = 0; tail < 33; ++tail) {
                std::string text(lead, 'Q');
                for (unsigned c = 0; c < 256; ++c)
                    text += static_cast<char>(c);
                text.append(tail, '\xC8');
                lowering.lower(text);

                SCOPED_TRACE(::testing::Message() << lowering.name << ", lead " << lead << ", tail " << tail);
                ASSERT_EQ(text.size(), lead + 256 + tail);
                EXPECT_EQ(text.substr(0, lead), std::string(lead, 'q'));
                for (unsigned c = 0; c < 256; ++c)
                    ASSERT_EQ(static_cast<unsigned char>(text[lead + c]), lowering.expected(c)) << "byte " << c;
                EXPECT_EQ(text.substr(lead + 256), std::string(tail, '\xE8'));
            }
        }
    }
}

}  // namespace
