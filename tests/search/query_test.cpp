#include "search/query.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>

namespace {

struct QueryCase {
    const char* name;
    std::string typed;  // Windows-1250
    std::string query;
};

class NormaliseQueryTest : public ::testing::TestWithParam<QueryCase> {};

TEST_P(NormaliseQueryTest, GivesTheQuery)
{
    EXPECT_EQ(lexoria::normaliseQuery(GetParam().typed), GetParam().query);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormaliseQueryTest,
    ::testing::Values(
        QueryCase{"Empty", "", ""},
        QueryCase{"OnlySpaces", "     ", ""},
        QueryCase{"OnlyPunctuation", ".,;!?", ""},
        QueryCase{"PunctuationBetweenSpacesLeavesSpaces", ". ; ,", "  "},
        QueryCase{"DigitsKept", "42", "42"},
        QueryCase{"HyphenBetweenWordsLeavesTwoSpaces", "word - word", "word  word"},
        QueryCase{"PointDroppedSpaceBeforeItKept", "Word .", "word "},
        QueryCase{"TrimmedBeforeCollapsed", "  Zakon   o  ", "zakon  o"},
        QueryCase{"TwoSpacesBecomeOne", "a  b", "a b"},
        QueryCase{"FourSpacesBecomeTwo", "a    b", "a  b"},
        QueryCase{"FiveSpacesBecomeThree", "a     b", "a   b"},
        QueryCase{"TabNotTrimmedButDropped", " \t a", " a"},
        QueryCase{"WindowsCapitalSh", "\x8A", "\xB9"},
        QueryCase{"WindowsSmallChUnchanged", "\xE8", "\xE8"},
        QueryCase{"CapitalsChShZh", "\xC8\x8A\x8E", "\xE8\xB9\xBE"},
        QueryCase{"SmallChShZh", "\xE8\x9A\x9E", "\xE8\xB9\xBE"},
        QueryCase{"CapitalsCjDj", "\xC6 \xD0", "\xE6 \xF0"},
        QueryCase{"IsoCapitalsShZh", "\xA9\xAE", "\xB9\xBE"},
        QueryCase{"AtAndUnderscoreKept", "@_", "@_"},
        QueryCase{"ColonAndQuestionMarkDropped", "a:b?", "ab"},
        QueryCase{"MarkupCharactersDropped", "<a href=\"x\">&'", "a hrefx"},
        QueryCase{"OtherCapitalsLowered", "\xA3\xA5\xBC\xDE", "\xB3\xB9\xBE\xFE"}),
    [](const ::testing::TestParamInfo<QueryCase>& info) { return info.param.name; });

// The character table, written as its ranges: dropped, moved, or kept.
std::optional<unsigned> expectedIsoByte(unsigned c)
{
    if ((c >= 0x01 && c <= 0x1F) || (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x3F))
        return std::nullopt;
    if (c == 0xC6 || c == 0xC8 || c == 0xD0)
        return c + 0x20;
    if (c == 0xA9 || c == 0x8A || c == 0x9A)
        return 0xB9;
    if (c == 0xAE || c == 0x8E || c == 0x9E)
        return 0xBE;
    return c;
}

TEST(StrIsoEncodeCEELowTest, AppliesTheCharacterTableToEveryByte)
{
    for (unsigned c = 0; c < 256; ++c) {
        SCOPED_TRACE(c);
        const std::string encoded = lexoria::strIsoEncodeCEELow(std::string(1, static_cast<char>(c)));
        const auto expected = expectedIsoByte(c);
        EXPECT_EQ(encoded, expected ? std::string(1, static_cast<char>(*expected)) : std::string());
    }
}

TEST(StrIsoEncodeCEELowTest, CountsCharactersInSixteenBits)
{
    const std::string longest(32767, 'a');
    EXPECT_EQ(lexoria::strIsoEncodeCEELow(longest), longest);
    EXPECT_THROW(lexoria::strIsoEncodeCEELow(longest + "a"), std::overflow_error);
    EXPECT_THROW(lexoria::normaliseQuery(longest + "a"), std::overflow_error);
    EXPECT_EQ(lexoria::normaliseQuery(std::string(40000, ' ')), "");
}

}  // namespace
