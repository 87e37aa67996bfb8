#include "import/page_plan.h"

#include <cstdio>

namespace lexoria {

namespace {

int innermost(const Provision& provision)
{
    return provision.containers.empty() ? 0 : provision.containers.back().id;
}

// Runs of at most size consecutive provisions; within containers, a run
// ends where the innermost container changes.
std::vector<PagePlan> runs(const std::vector<Provision>& provisions, std::size_t size, bool withinContainers)
{
    std::vector<PagePlan> pages;
    for (std::size_t i = 0; i < provisions.size(); ++i) {
        const bool sameContainer =
            !withinContainers || (i > 0 && innermost(provisions[i]) == innermost(provisions[i - 1]));
        if (pages.empty() || !sameContainer || pages.back().last - pages.back().first + 1 >= size)
            pages.push_back({i, i, {}});
        else
            pages.back().last = i;
    }
    return pages;
}

// The shortest run length within containers that fits, found by halving
// (longer runs never give more pages); across containers when none does.
std::vector<PagePlan> grouped(const std::vector<Provision>& provisions, std::size_t capacity)
{
    std::size_t low = 1, high = provisions.size();
    if (runs(provisions, high, true).size() > capacity)
        return runs(provisions, (provisions.size() + capacity - 1) / capacity, false);
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (runs(provisions, middle, true).size() <= capacity)
            high = middle;
        else
            low = middle + 1;
    }
    return runs(provisions, low, true);
}

}  // namespace

std::vector<PagePlan> planPages(const std::vector<Provision>& provisions, std::size_t capacity)
{
    std::vector<PagePlan> pages = grouped(provisions, capacity);
    const int digits = provisions.size() < 1000 ? 3 : 4;
    for (PagePlan& page : pages) {
        char name[32];
        std::snprintf(name, sizeof name, "clen%0*zu.html", digits, page.first + 1);
        page.file = name;
    }
    return pages;
}

}  // namespace lexoria
