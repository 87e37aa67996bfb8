#include "search/results_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct ReplaceCase {
    const char* name;
    std::string text, token, replacement, expected;
};

class ReplaceTokenTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceTokenTest, ReplacesEveryOccurrenceOnce)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(lexoria::replaceToken(c.text, c.token, c.replacement), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTokenTest,
    ::testing::Values(
        ReplaceCase{"Every", "aXbXc", "X", "yy", "ayybyyc"},
        ReplaceCase{"AtBothEnds", "XaX", "X", "-", "-a-"},
        ReplaceCase{"ReplacementNotSearchedAgain", "TT", "T", "TT", "TTTT"},
        ReplaceCase{"LeftToRightWithoutOverlap", "aaa", "aa", "b", "ba"},
        ReplaceCase{"CaseSensitive", "titul Titul", "TITUL", "x", "titul Titul"},
        ReplaceCase{"Absent", "abc", "BODDDY", "x", "abc"},
        ReplaceCase{"EmptyText", "", "X", "y", ""},
        ReplaceCase{"EmptyTokenChangesNothing", "abc", "", "y", "abc"},
        ReplaceCase{"EmptyReplacement", "aBODDDYb", "BODDDY", "", "ab"}),
    [](const ::testing::TestParamInfo<ReplaceCase>& info) { return info.param.name; });

struct HitLineCase {
    const char* name;
    lexoria::DocEntry entry;
    std::string line;
};

class HitLineTest : public ::testing::TestWithParam<HitLineCase> {};

TEST_P(HitLineTest, LinksThePageAtItsAnchorInFrameT)
{
    EXPECT_EQ(lexoria::strHitLine(GetParam().entry), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HitLineTest,
    ::testing::Values(
        HitLineCase{"Plain", {"a.html", "Prvi del, splo\xB9no", ""},
                    "<br><a href='a.html#F1' target='T'>Prvi del, splo\xB9no</a><br>"},
        HitLineCase{"FileNameFilledBeforeTitle", {"TITUL.html", "T", ""},
                    "<br><a href='T.html#F1' target='T'>T</a><br>"},
        HitLineCase{"TitleNotSearchedForFileToken", {"a.html", "TARGT", ""},
                    "<br><a href='a.html#F1' target='T'>TARGT</a><br>"}),
    [](const ::testing::TestParamInfo<HitLineCase>& info) { return info.param.name; });

}  // namespace
