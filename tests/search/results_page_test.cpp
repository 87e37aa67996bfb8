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

}  // namespace
