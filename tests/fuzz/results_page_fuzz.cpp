// runSearch over a small table whose page texts, file names, titles, query
// and language texts all come from the fuzzer. The results page is one line:
// it ends with CR LF, and when no text that goes into it holds CR or LF, it
// holds no other. Every slot is reported once, in order.
#include "fuzz_support.h"
#include "search/cp1250_lower.h"
#include "search/query.h"
#include "search/search.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    constexpr std::int16_t pages = 3;
    FuzzedDataProvider input(data, size);
    bool lineEndGoesIn = false;
    const auto holdsLineEnd = [](std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; };
    // A text of the results page, or with goesIn false a page text.
    const auto take = [&](bool goesIn) {
        std::string text = input.ConsumeRandomLengthString(256);
        lineEndGoesIn |= goesIn && holdsLineEnd(text);
        return text;
    };
    static const auto docList = std::make_unique<lexoria::DocList>();
    for (std::int16_t slot = 1; slot <= pages; ++slot) {
        (*docList)[slot] = {.strFile = take(true), .strTitle = take(true), .strText = take(false)};
        lexoria::lowerPageText((*docList)[slot].strText);
    }
    const std::string foundHtml = take(true), titula = take(true), notFound = take(true);
    const std::string query = lexoria::normaliseQuery(input.ConsumeRemainingBytesAsString());
    std::int16_t expectedSlot = 1;
    const std::string page = lexoria::runSearch(*docList, pages, query, {foundHtml, titula, notFound},
                                                [&](std::int16_t slot, bool) {
                                                    require(slot == expectedSlot++, "every slot is reported once, in order");
                                                }).page;
    require(expectedSlot == pages + 1, "every slot is reported");
    require(page.ends_with("\r\n"), "the results page ends with CR LF");
    require(lineEndGoesIn || holdsLineEnd(query) || !holdsLineEnd(std::string_view(page).substr(0, page.size() - 2)),
            "the results page is one line");
    return 0;
}
