#include "search/substring.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using lexoria::SubstringTest;

// `size` bytes of 'a' with the needle written over them at `at`.
std::string placed(std::size_t size, std::size_t at, std::string_view needle)
{
    std::string text(size, 'a');
    text.replace(at, needle.size(), needle);
    return text;
}

// Edges the random rounds below seldom reach.
const struct { const char* name; std::string text, needle; } cases[] = {
    {"AcrossTheThirtyTwoByteBoundary", placed(96, 30, "meja"), "meja"}, {"LastStartOfTheLastWholeBlock", placed(32 + 4 - 1, 31, "meja"), "meja"},
    {"FirstStartAfterTheWholeBlocks", placed(33 + 4 - 1, 32, "meja"), "meja"},
    {"OneByteAbsent", std::string(200, 'a'), "b"}, {"OneByteAtTheEnd", placed(200, 199, "b"), "b"},
    {"RepeatedByteOneShortEverywhere", std::string(300, 'a'), std::string(40, 'a') + "b"},
    {"RepeatedByteAtTheEnd", std::string(300, 'a') + "b", std::string(40, 'a') + "b"},
    {"FilterBytesAgreeEverywhereButNowhereTheWhole", std::string(250, 'x'), "xax"},
    {"HighBytesDifferInTheLowBits", "\xB9\xBE\xB9\xBE\xB9\xBE", "\xB9\xB9"}, {"NulBytes", std::string("a\0b\0c", 5), std::string("\0c", 2)},
    {"RareByteTooNearTheStartForTheNeedle", "xaaaaaaa", "aax"}, {"RareByteInsideTheNeedleAtTheEnd", placed(100, 95, "aaxaa"), "aaxaa"},
    {"RareByteWhereTheNeedleWouldRunPastTheEnd", placed(100, 97, "aax"), "aaxaa"},
    {"NeedleLongerThanABlock", placed(300, 123, std::string(70, 'q') + "z"), std::string(70, 'q') + "z"},
};

// A scan the search chooses from, given the filter the search would use.
template <SubstringTest::Scan scan>
bool byScan(std::string_view text, std::string_view needle)
{
    return scan(text, needle, SubstringTest(needle).filter());
}

// The scan the search chooses for a needle of one byte or more, and each scan
// it chooses from on its own: after the edges above, random pages over a few
// bytes, so that partial matches abound, with needles cut from the page,
// mutated or drawn at random.
TEST(SubstringScanTest, EveryScanAgreesWithFindOnTrickyAndRandomTexts)
{
    const struct { const char* name; bool (*found)(std::string_view, std::string_view); bool runsHere; } scans[] = {
        {"chosen", [](std::string_view text, std::string_view needle) { return SubstringTest(needle).foundIn(text); }, true},
#if LEXORIA_X86_VECTORS
        {"SSE2", byScan<SubstringTest::foundSse2>, true}, {"AVX2", byScan<SubstringTest::foundAvx2>, lexoria::hasAvx2()},
#else
        {"vectors", byScan<SubstringTest::foundByVectors>, true},
#endif
        {"rare byte", byScan<SubstringTest::foundByRareByte>, true},
    };
    for (const auto& scan : scans) {
        if (!scan.runsHere)
            continue;  // the processor lacks AVX2
        SCOPED_TRACE(scan.name);
        for (const auto& c : cases)
            EXPECT_EQ(scan.found(c.text, c.needle), c.text.find(c.needle) != std::string::npos) << c.name;
        std::mt19937 random(20240611);
        const std::string alphabet = "ab \xE8x";
        const auto bytes = [&](std::size_t size) {
            std::string text(size, ' ');
            for (char& c : text)
                c = alphabet[random() % alphabet.size()];
            return text;
        };
        for (int round = 0; round < 20000; ++round) {
            const std::string text = bytes(random() % 160);
            std::string needle = bytes(1 + random() % 8);
            if (random() % 2 == 0 && !text.empty()) {
                const std::size_t at = random() % text.size();
                needle = text.substr(at, 1 + random() % 40);
                if (random() % 2 == 0)
                    needle[random() % needle.size()] = bytes(1)[0];
            }
            SCOPED_TRACE(::testing::Message() << "round " << round << ", needle \"" << needle << "\" in \"" << text << "\"");
            ASSERT_EQ(scan.found(text, needle), text.find(needle) != std::string::npos);
        }
    }
}

TEST(SubstringTest, EmptyNeedleOccursInEveryText)
{
    EXPECT_TRUE(SubstringTest("").foundIn("") && SubstringTest("").foundIn("zakon"));
}

}  // namespace
