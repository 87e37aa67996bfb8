#include "search/query.h"
#include "search/results_page.h"
#include "search/search.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A full table is searched to its last slot, and a count outside it refused.
TEST(RunSearchTest, WritesTheResultsPageOfTheMatchingSlotsUpToAFullTableAndRefusesACountOutsideIt)
{
    auto docList = std::make_unique<lexoria::DocList>();
    for (std::int16_t slot = 1; slot <= lexoria::maxPages; ++slot)
        (*docList)[slot] = {"p" + std::to_string(slot) + ".html", "P", slot == lexoria::maxPages ? "zadnja" : "stran"};
    (*docList)[1] = {"a.html", "Prvi, del", "<p>zakon o \xB9olstvu; zakon</p>"};
    (*docList)[2] = {"b.html", "Drugi", "<p>nic</p>"};
    (*docList)[3] = {"c.html", "Tretji", "<p class=\"odstavek\">42</p>"};
    (*docList)[4] = {"TITUL-TARGT.html", "TITULA BODDDY TARGT TITUL", "tokens"};
    (*docList)[5] = {"e.html", "Not counted", "zakon"};
    const std::string page = "<html><title>TITULA</title><body>BODDDY</body></html>";
    const struct {
        const char* name; std::int16_t docCount; std::string query, strFoundHtml; std::vector<std::int16_t> hitSlots;
        std::string page, strTitula = "Zakon TITULA";
    } cases[] = {
        {"slots beyond the count not searched", 4, "zakon", page, {1},
         "<html><title>Zakon TITULA</title><body><b>zakon:<br><br></b><br><a href='a.html#F1' target='T'>Prvi, del</a><br>"
         "</body></html>\r\n"}, {"empty template", 4, "zakon", "", {1}, "\r\n"},
        {"template without body", 4, "zakon", "<h1>TITULA</h1>", {1}, "<h1>Zakon TITULA</h1>\r\n"},
        {"body twice", 4, "kazen", "BODDDY|BODDDY", {}, "<b>Ni zadetkov</b>|<b>Ni zadetkov</b>\r\n"},
        {"empty table", 0, "a", "BODDDY", {}, "<b>Ni zadetkov</b>\r\n"},
        // Titles, file names and the title text holding a template's tokens show as they are.
        {"tokens in inserted texts", 4, "tokens", "TITULA|BODDDY", {4},
         "BODDDY TITULA|<b>tokens:<br><br></b><br><a href='TITUL-TARGT.html#F1' target='T'>TITULA BODDDY TARGT TITUL</a><br>\r\n", "BODDDY TITULA"},
        {"full table", lexoria::maxPages, "zadnja", "BODDDY", {lexoria::maxPages},
         "<b>zadnja:<br><br></b><br><a href='p512.html#F1' target='T'>P</a><br>\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::int16_t next = 1;  // every slot is reported once, in order, with whether it matched
        std::vector<std::int16_t> matched;
        const auto result = lexoria::runSearch(*docList, c.docCount, c.query, {c.strFoundHtml, c.strTitula, "Ni zadetkov"},
                                               [&](std::int16_t slot, bool hit) {
                                                   EXPECT_EQ(slot, next++);
                                                   if (hit)
                                                       matched.push_back(slot);
                                               });
        EXPECT_EQ(next, c.docCount + 1);
        EXPECT_EQ(matched, c.hitSlots);
        EXPECT_EQ(result.hitSlots, c.hitSlots);
        EXPECT_EQ(result.page, c.page);
    }
    const auto ignore = [](std::int16_t, bool) {};
    EXPECT_THROW(lexoria::runSearch(*docList, lexoria::maxPages + 1, "a", {}, ignore), std::out_of_range);
    EXPECT_THROW(lexoria::runSearch(*docList, -1, "a", {}, ignore), std::out_of_range);
}

TEST(NormaliseQueryTest, GivesTheQueryAsSearched)
{
    const struct { const char* name; std::string typed, query; } cases[] = {  // typed in Windows-1250
        {"OnlyPunctuation", ".,;!?", ""}, {"PointDroppedSpaceBeforeItKept", "Word .", "word "},
        {"TrimmedBeforeCollapsed", "  Zakon   o  ", "zakon  o"}, {"TabNotTrimmedButDropped", " \t a", " a"},
        {"RunsOfTwoFourAndFiveSpacesHalvedRoundingUp", "a  b    c     d", "a b  c   d"},
        {"CapitalsLoweredSloveneLettersOfEitherCodePageMoved", "\xC8\x8A\x8E\x9A\x9E\xC6\xD0\xA9\xAE\xA3\xBC\xDE",
         "\xE8\xB9\xBE\xB9\xBE\xE6\xF0\xB9\xBE\xB3\xBE\xFE"},
        {"AtAndUnderscoreKeptColonQuestionMarkAndMarkupDropped", "@_:?<a href=\"x\">&'", "@_a hrefx"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lexoria::normaliseQuery(c.typed), c.query) << c.name;
}

// The edges of each range the table drops, every byte it moves, and the
// character count held in sixteen bits.
TEST(Latin2QueryFormTest, DropsControlsAndPunctuationMovesSloveneLettersAndRefusesOverlongTexts)
{
    EXPECT_EQ(lexoria::toLatin2QueryForm(std::string("\0\x01\x1F \x21\x2F\x30\x39\x3A\x3F\x40\x7F\x80\xFF", 14)),
              std::string("\0 09@\x7F\x80\xFF", 8));
    EXPECT_EQ(lexoria::toLatin2QueryForm("\xC6\xC8\xD0\xA9\x8A\x9A\xAE\x8E\x9E\xE8\xB9\xBE"), "\xE6\xE8\xF0\xB9\xB9\xB9\xBE\xBE\xBE\xE8\xB9\xBE");
    const std::string longest(32767, 'a');
    EXPECT_EQ(lexoria::toLatin2QueryForm(longest), longest);
    EXPECT_THROW(lexoria::toLatin2QueryForm(longest + "a"), std::overflow_error);
    EXPECT_THROW(lexoria::normaliseQuery(longest + "a"), std::overflow_error);
    EXPECT_EQ(lexoria::normaliseQuery(std::string(40000, ' ')), "");
}

TEST(FillTokensTest, ReplacesEveryTokenInOnePassWithoutSearchingWhatItInserts)
{
    const struct { const char* name; std::string text, expected; } cases[] = {
        {"every occurrence", "aXbXc", "ayybyyc"}, {"inserted text not searched again, first listed wins", "ZZ", "Z"},
        {"left to right without overlap", "ZZZ", "Z-"}, {"case-sensitive", "x z", "x z"}, {"no token, and the empty token never found", "abc", "abc"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lexoria::fillTokens(c.text, {{"X", "yy"}, {"ZZ", "Z"}, {"Z", "-"}, {"", "never"}}), c.expected) << c.name;
}

}  // namespace
