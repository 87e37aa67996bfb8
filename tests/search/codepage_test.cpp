#include "search/codepage.h"
#include "search/cp1250_lower.h"
#include "search/vector_paths.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>

namespace {

// The C library's own converter, an independent derivation of the tables:
// one byte to UTF-8, or nothing where the code page leaves the byte unassigned.
std::optional<std::string> iconvUtf8(const char* from, unsigned byte)
{
    const iconv_t converter = ::iconv_open("UTF-8", from);
    EXPECT_NE(converter, reinterpret_cast<iconv_t>(-1)) << "the C library has no converter from " << from;
    char in = static_cast<char>(byte), out[8];
    char *inAt = &in, *outAt = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    const bool done = ::iconv(converter, &inAt, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    ::iconv_close(converter);
    return done ? std::optional<std::string>(std::string(out, outAt)) : std::nullopt;
}

TEST(CodepageTest, Latin2BytesBecomeTheirUtf8Characters)
{
    for (unsigned c = 0; c < 256; ++c)
        EXPECT_EQ(std::optional(lexoria::utf8FromLatin2(std::string(1, static_cast<char>(c)))), iconvUtf8("ISO-8859-2", c)) << "byte " << c;
}

TEST(CodepageTest, EveryWindows1250CharacterComesBackToItsByte)
{
    int assigned = 0;
    for (unsigned c = 0; c < 256; ++c)
        if (const auto utf8 = iconvUtf8("CP1250", c)) {
            ++assigned;
            EXPECT_EQ(lexoria::cp1250FromUtf8(*utf8), std::string(1, static_cast<char>(c))) << "byte " << c;
        }
    EXPECT_EQ(assigned, 251);
}

TEST(Cp1250FromUtf8Test, KeepsWhatTheCodePageHasAndDropsMissingOrMalformedCharacters)
{
    const struct { const char* name; std::string utf8, cp1250; } cases[] = {
        {"SloveneLetters", "Člen šest, ŽIVALI", "\xC8len \x9A" "est, \x8EIVALI"}, {"LatinOneOnlyLetterDropped", "ñ", ""},
        {"EmojiDropped", "x\xF0\x9F\x98\x80y", "xy"}, {"LoneLeadByteDropped", "a\xC4", "a"},
        {"StrayContinuationDropped", "a\x8D" "b", "ab"}, {"OverlongSlashDropped", "\xC0\xAF", ""},
        {"SurrogateDropped", "\xED\xA0\x80z", "z"}, {"BeyondUnicodeDropped", "\xF4\x90\x80\x80", ""},
        {"BrokenSequenceKeepsFollowingLetter", "\xC4" "A", "A"}, {"NulKept", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lexoria::cp1250FromUtf8(c.utf8), c.cp1250) << c.name;
}

// The capitals of Windows-1250 as ranges, with what the first of each lowers to:
// A-Z, Š, Ś-Ź, Ł, Ą, Ş, Ż, Ľ, Ŕ-Ö and Ř-Ţ after ×.
constexpr struct { unsigned first, last, lowered; } capitals[] = {
    {0x41, 0x5A, 0x61}, {0x8A, 0x8A, 0x9A}, {0x8C, 0x8F, 0x9C}, {0xA3, 0xA3, 0xB3}, {0xA5, 0xA5, 0xB9},
    {0xAA, 0xAA, 0xBA}, {0xAF, 0xAF, 0xBF}, {0xBC, 0xBC, 0xBE}, {0xC0, 0xD6, 0xE0}, {0xD8, 0xDE, 0xF8}};

// Texts are lowered in blocks of thirty-two bytes, then sixteen, then byte
// by byte: every byte value is tried at every position within a block and
// in tails of every length.
TEST(TextLoweringTest, LowersEveryByteAtAnyLengthAndPositionInEveryBlockWidth)
{
    std::string bytes, query;  // every byte value once, and each as the query lowering makes it
    for (unsigned c = 0; c < 256; ++c) {
        bytes += static_cast<char>(c);
        query += static_cast<char>(c);
        for (const auto& range : capitals)
            if (c >= range.first && c <= range.last)
                query.back() = static_cast<char>(range.lowered + (c - range.first));
    }
    std::string page = query;  // page text is ISO-8859-2: its Š and Ž lower to š and ž too
    page[0xA9] = '\xB9';
    page[0xAE] = '\xBE';
    const struct { const char* name; void (*lower)(std::string&); const std::string& expected; bool runsHere; } lowerings[] = {
        {"query", lexoria::cp1250LowerInPlace, query, true}, {"page", lexoria::lowerPageText, page, true},
#if LEXORIA_X86_VECTORS
        {"query by SSE2", [](std::string& text) { lexoria::cp1250LowerInPlace(text, lexoria::LowerBlocks::sse2); }, query, true},
        {"page by SSE2", [](std::string& text) { lexoria::lowerPageText(text, lexoria::LowerBlocks::sse2); }, page, true},
        {"query by AVX2", [](std::string& text) { lexoria::cp1250LowerInPlace(text, lexoria::LowerBlocks::avx2); }, query, lexoria::hasAvx2()},
        {"page by AVX2", [](std::string& text) { lexoria::lowerPageText(text, lexoria::LowerBlocks::avx2); }, page, lexoria::hasAvx2()},
#endif
    };
    for (const auto& lowering : lowerings) {
        if (!lowering.runsHere)
            continue;  // the processor lacks AVX2
        for (std::size_t lead = 0; lead < 33; ++lead)
            for (std::size_t tail = 0; tail < 33; ++tail) {
                std::string text = std::string(lead, 'Q') + bytes + std::string(tail, '\xC8');
                lowering.lower(text);
                ASSERT_EQ(text, std::string(lead, 'q') + lowering.expected + std::string(tail, '\xE8'))
                    << lowering.name << ", lead " << lead << ", tail " << tail;
            }
    }
}

}  // namespace
