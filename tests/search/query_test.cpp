#include "search/query.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

TEST(NormaliseQueryTest, GivesTheQueryAsSearched)
{
    const struct {
        const char* name;
        std::string typed;  // Windows-1250
        std::string query;
    } cases[] = {
        {"Empty", "", ""},
        {"OnlyPunctuation", ".,;!?", ""},
        {"PunctuationBetweenSpacesLeavesSpaces", ". ; ,", "  "},
        {"PointDroppedSpaceBeforeItKept", "Word .", "word "},
        {"TrimmedBeforeCollapsed", "  Zakon   o  ", "zakon  o"},
        {"TwoSpacesBecomeOne", "a  b", "a b"},
        {"FourSpacesBecomeTwo", "a    b", "a  b"},
        {"FiveSpacesBecomeThree", "a     b", "a   b"},
        {"TabNotTrimmedButDropped", " \t a", " a"},
        {"CapitalsChShZh", "\xC8\x8A\x8E", "\xE8\xB9\xBE"},
        {"SmallChShZh", "\xE8\x9A\x9E", "\xE8\xB9\xBE"},
        {"CapitalsCjDj", "\xC6 \xD0", "\xE6 \xF0"},
        {"IsoCapitalsShZh", "\xA9\xAE", "\xB9\xBE"},
        {"AtAndUnderscoreKept", "@_", "@_"},
        {"ColonAndQuestionMarkDropped", "a:b?", "ab"},
        {"MarkupCharactersDropped", "<a href=\"x\">&'", "a hrefx"},
        {"OtherCapitalsLowered", "\xA3\xA5\xBC\xDE", "\xB3\xB9\xBE\xFE"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lexoria::normaliseQuery(c.typed), c.query);
    }
}

// The edges of each range the table drops, and every byte it moves.
TEST(StrIsoEncodeCEELowTest, DropsControlsAndPunctuationAndMovesSloveneLetters)
{
    EXPECT_EQ(lexoria::strIsoEncodeCEELow(std::string("\0\x01\x1F \x21\x2F\x30\x39\x3A\x3F\x40\x7F\x80\xFF", 14)),
              std::string("\0 09@\x7F\x80\xFF", 8));
    EXPECT_EQ(lexoria::strIsoEncodeCEELow("\xC6\xC8\xD0\xA9\x8A\x9A\xAE\x8E\x9E\xE8\xB9\xBE"),
              "\xE6\xE8\xF0\xB9\xB9\xB9\xBE\xBE\xBE\xE8\xB9\xBE");
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
