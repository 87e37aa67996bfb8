// The act reader and the page plan over arbitrary bytes: the reader gives an
// act or fails naming the file; an act's provisions land on pages that the
// reader's index can hold, each once and in order, and every page is
// ISO-8859-2 text whose titles the index can hold.
#include "fuzz_support.h"
#include "import/act_reader.h"
#include "import/page_plan.h"
#include "import/shipped_files.h"
#include "import/statute_files.h"
#include "import/statute_pages.h"

#include <algorithm>

// The pages cover the provisions once each, in order, in at most capacity pages.
static void requireCover(const std::vector<lexoria::PagePlan>& pages, std::size_t provisions, std::size_t capacity)
{
    require(pages.size() <= capacity, "no more pages than the index holds");
    std::size_t next = 0;
    for (const lexoria::PagePlan& page : pages) {
        require(page.first == next && page.last >= page.first, "pages follow one another");
        next = page.last + 1;
    }
    require(next == provisions, "every provision is on a page");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    lexoria::Act act;
    try {
        act = lexoria::readAct(bytes, "act.xml");
    } catch (const lexoria::FileError& error) {
        require(error.path() == "act.xml" && error.line() >= 0, "a failure names the file");
        return 0;
    }
    require(!act.title.empty() && !act.provisions.empty(), "an act has a title and a provision");
    for (const std::size_t capacity : {std::size_t{512}, std::size_t{3}})
        requireCover(lexoria::planPages(act.provisions, capacity), act.provisions.size(), capacity);
    const auto plans = lexoria::planPages(act.provisions, 512);
    for (const lexoria::PagePlan& plan : plans) {
        const std::string title = lexoria::pageTitle(act.provisions, plan);
        require(title.find_first_of("\r\n") == std::string::npos, "a page title is one line");
    }
    for (const auto& [name, page] : lexoria::statuteFiles(act, plans, lexoria::shippedLanguageFile))
        require(name == "slo.lng" || name == "zakon.css" || page.find("charset=iso-8859-2") != std::string::npos,
                "every page declares ISO-8859-2");
    return 0;
}
