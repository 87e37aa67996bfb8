#include "search/results_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FillTokensTest, ReplacesEveryTokenInOnePassWithoutSearchingWhatItInserts)
{
    const struct {
        const char* name;
        std::string text, expected;
    } cases[] = {
        {"every occurrence", "aXbXc", "ayybyyc"},
        {"at both ends", "XaX", "yyayy"},
        {"inserted text not searched again, first listed wins", "ZZ", "Z"},
        {"left to right without overlap", "ZZZ", "Z-"},
        {"case-sensitive", "x z", "x z"},
        {"no token, and the empty token never found", "abc", "abc"},
        {"empty text", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(lexoria::fillTokens(c.text, {{"X", "yy"}, {"ZZ", "Z"}, {"Z", "-"}, {"", "never"}}), c.expected);
    }
}

// A file name or title that holds a token of either template shows as it is.
TEST(StrHitLineTest, LinksThePageAtItsAnchorInFrameTAndShowsNamesAsTheyAre)
{
    const struct {
        lexoria::DocEntry entry;
        std::string line;
    } cases[] = {
        {{"a.html", "Prvi del, splo\xB9no", ""}, "<br><a href='a.html#F1' target='T'>Prvi del, splo\xB9no</a><br>"},
        {{"TITUL.html", "T", ""}, "<br><a href='TITUL.html#F1' target='T'>T</a><br>"},
        {{"a.html", "TARGT TITUL BODDDY TITULA", ""}, "<br><a href='a.html#F1' target='T'>TARGT TITUL BODDDY TITULA</a><br>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry.strFile + " " + c.entry.strTitle);
        EXPECT_EQ(lexoria::strHitLine(c.entry), c.line);
    }
}

}  // namespace
