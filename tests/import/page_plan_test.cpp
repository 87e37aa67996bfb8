#include "import/page_plan.h"
#include "import/statute_pages.h"

#include <gmock/gmock.h>

namespace {

// Provisions in the innermost containers given by id, 0 for none.
std::vector<lexoria::Provision> inContainers(const std::vector<int>& ids)
{
    std::vector<lexoria::Provision> provisions;
    for (const int id : ids) {
        provisions.push_back({std::to_string(provisions.size() + 1) + ". člen", "", false, "", {}});
        if (id != 0)
            provisions.back().containers.push_back({id, "", ""});
    }
    return provisions;
}

std::string ranges(const std::vector<lexoria::PagePlan>& pages)
{
    std::string out;
    for (const lexoria::PagePlan& page : pages)
        out += std::to_string(page.first) + "-" + std::to_string(page.last) + " ";
    return out;
}

TEST(PagePlan, ShortestRunsThatFitWithinContainersElseAcrossThem)
{
    struct Case {
        const char* name;
        std::vector<int> containers;
        std::size_t capacity;
        std::string pages;
    };
    const std::vector<Case> cases{
        {"one a page where they fit", {1, 1, 2}, 3, "0-0 1-1 2-2 "},
        {"runs end at a container", {1, 1, 1, 2, 2}, 3, "0-1 2-2 3-4 "},
        {"more containers than pages", {1, 2, 3, 4, 5}, 2, "0-2 3-4 "},
        {"no containers", {0, 0, 0, 0, 0}, 2, "0-2 3-4 "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ranges(lexoria::planPages(inContainers(c.containers), c.capacity)), c.pages) << c.name;
}

TEST(PagePlan, TitlesNameTheRunOrTheOneProvision)
{
    std::vector<lexoria::Provision> provisions = inContainers({0, 0, 0});
    provisions[1].heading = "pomen izrazov";
    provisions[2].removed = true;
    provisions.push_back({"§ 4", "", false, "", {}});
    EXPECT_EQ(lexoria::pageTitle(provisions, {0, 2, ""}), "1. do 3. člen");
    EXPECT_EQ(lexoria::pageTitle(provisions, {1, 1, ""}), "2. člen (pomen izrazov)");
    EXPECT_EQ(lexoria::pageTitle(provisions, {2, 2, ""}), "3. člen (prenehal veljati)");
    EXPECT_EQ(lexoria::pageTitle(provisions, {2, 3, ""}), "3. člen do § 4");
    EXPECT_EQ(lexoria::planPages(provisions, 512).back().file, "clen004.html");
}

}  // namespace
