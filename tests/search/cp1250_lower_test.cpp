#include "search/cp1250_lower.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct CaseRange {
    unsigned first;
    unsigned last;
    unsigned lowered;  // what `first` becomes; the rest of the range follows it
};

// The capitals of Windows-1250 and their small letters, written as ranges.
constexpr CaseRange capitals[] = {
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
    for (const CaseRange& range : capitals)
        if (c >= range.first && c <= range.last)
            return range.lowered + (c - range.first);
    return c;
}

TEST(Cp1250LowerTest, MapsEveryByteAsTheCodePageLowersIt)
{
    std::string all;
    for (unsigned c = 0; c < 256; ++c)
        all += static_cast<char>(c);
    std::string lowered = all;
    lexoria::cp1250LowerInPlace(lowered);

    for (unsigned c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(lexoria::cp1250Lower(static_cast<unsigned char>(c)), expectedLower(c));
        EXPECT_EQ(static_cast<unsigned char>(lowered[c]), expectedLower(c));
    }
}

}  // namespace
