#include "search/search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

using ::testing::ElementsAreArray;

const std::string hitA = "<br><a href='a.html#F1' target='T'>Prvi, del</a><br>";
const std::string hitC = "<br><a href='c.html#F1' target='T'>Tretji</a><br>";

struct SearchCase {
    const char* name;
    std::string query;
    std::string strFoundHtml;
    std::vector<std::int16_t> hitSlots;
    std::string page;
};

class RunSearchTest : public ::testing::TestWithParam<SearchCase> {
protected:
    RunSearchTest()
    {
        (*docList)[1] = {"a.html", "Prvi, del", "<p>zakon o \xB9olstvu; zakon</p>"};
        (*docList)[2] = {"b.html", "Drugi", "<p>nic</p>"};
        (*docList)[3] = {"c.html", "Tretji", "<p class=\"odstavek\">42</p>"};
        (*docList)[4] = {"d.html", "Prazna", ""};
        (*docList)[5] = {"e.html", "Not counted", "zakon"};
    }

    std::unique_ptr<lexoria::DocList> docList = std::make_unique<lexoria::DocList>();
    const std::int16_t docCount = 4;
};

TEST_P(RunSearchTest, WritesTheResultsPage)
{
    const SearchCase& c = GetParam();
    const lexoria::ResultsTexts texts{c.strFoundHtml, "Zakon TITULA", "Ni zadetkov"};
    std::vector<std::pair<std::int16_t, bool>> slots;
    const lexoria::SearchResult result = lexoria::runSearch(
        *docList, docCount, c.query, texts,
        [&slots](std::int16_t slot, bool matched) { slots.emplace_back(slot, matched); });

    EXPECT_THAT(result.hitSlots, ElementsAreArray(c.hitSlots));
    EXPECT_EQ(result.page, c.page);
    ASSERT_EQ(slots.size(), 4u);
    for (std::int16_t slot = 1; slot <= 4; ++slot) {
        EXPECT_EQ(slots[slot - 1].first, slot);
        EXPECT_EQ(slots[slot - 1].second, std::count(c.hitSlots.begin(), c.hitSlots.end(), slot) == 1);
    }
}

const std::string page = "<html><title>TITULA</title><body>BODDDY</body></html>";

INSTANTIATE_TEST_SUITE_P(
    Cases, RunSearchTest,
    ::testing::Values(
        SearchCase{"SlotsBeyondCountNotSearched", "zakon", page, {1},
                   "<html><title>Zakon TITULA</title><body><b>zakon:<br><br></b>" + hitA + "</body></html>\r\n"},
        SearchCase{"MatchOnlyInMarkup", "odstavek", page, {3},
                   "<html><title>Zakon TITULA</title><body><b>odstavek:<br><br></b>" + hitC + "</body></html>\r\n"},
        SearchCase{"SeveralHits", "<p", page, {1, 2, 3},
                   "<html><title>Zakon TITULA</title><body><b><p:<br><br></b>" + hitA
                       + "<br><a href='b.html#F1' target='T'>Drugi</a><br>" + hitC + "</body></html>\r\n"},
        SearchCase{"IsoLetters", "\xB9olstvu", page, {1},
                   "<html><title>Zakon TITULA</title><body><b>\xB9olstvu:<br><br></b>" + hitA + "</body></html>\r\n"},
        SearchCase{"NoHit", "kazen", page, {},
                   "<html><title>Zakon TITULA</title><body><b>Ni zadetkov</b></body></html>\r\n"},
        SearchCase{"EmptyTemplate", "zakon", "", {1}, "\r\n"},
        SearchCase{"TemplateWithoutBody", "zakon", "<h1>TITULA</h1>", {1}, "<h1>Zakon TITULA</h1>\r\n"},
        SearchCase{"BodyTwice", "kazen", "BODDDY|BODDDY", {}, "<b>Ni zadetkov</b>|<b>Ni zadetkov</b>\r\n"}),
    [](const ::testing::TestParamInfo<SearchCase>& info) { return info.param.name; });

TEST(RunSearchTableTest, EmptyTableGivesTheNotFoundPage)
{
    const auto docList = std::make_unique<lexoria::DocList>();
    int calls = 0;
    const auto result = lexoria::runSearch(*docList, 0, "a", {"BODDDY", "", "Ni"},
                                           [&calls](std::int16_t, bool) { ++calls; });
    EXPECT_EQ(result.page, "<b>Ni</b>\r\n");
    EXPECT_EQ(calls, 0);
}

TEST(RunSearchTableTest, CountBeyondTheTableIsRefused)
{
    const auto docList = std::make_unique<lexoria::DocList>();
    const auto ignore = [](std::int16_t, bool) {};
    EXPECT_THROW(lexoria::runSearch(*docList, lexoria::maxPages + 1, "a", {}, ignore), std::out_of_range);
    EXPECT_THROW(lexoria::runSearch(*docList, -1, "a", {}, ignore), std::out_of_range);
}

}  // namespace
