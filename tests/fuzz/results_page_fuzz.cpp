// runSearch over a small table whose page texts, file names, titles, query
// and language texts all come from the fuzzer. The results page is one line:
// it ends with CR LF, and when no text that goes into it holds CR or LF, it
// holds no other. Every slot is reported once, in order.
#include "fuzz_support.h"
#include "search/cp1250_lower.h"
#include "search/document_table.h"
#include "search/query.h"
#include "search/search.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using lexoria::fuzz::require;
    constexpr std::int16_t pages = 3;
    const auto holdsLineEnd = [](std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; };
    FuzzedDataProvider input(data, size);
    bool lineEndGoesIn = false;
    // A text of the results page, or (goesIn false) a page text.
    const auto take = [&](bool goesIn) {
        std::string text = input.ConsumeRandomLengthString(256);
        lineEndGoesIn |= goesIn && holdsLineEnd(text);
        return text;
    };
    static const auto docList = std::make_unique<lexoria::DocList>();
    for (std::int16_t slot = 1; slot <= pages; ++slot) {
        lexoria::DocEntry& entry = (*docList)[slot];
        entry.strFile = take(true);
        entry.strTitle = take(true);
        entry.strText = take(false);
        lexoria::lowerPageText(entry.strText);
    }
    const std::string foundHtml = take(true), titula = take(true), notFound = take(true);
    const std::string query = lexoria::normaliseQuery(input.ConsumeRemainingBytesAsString());
    lineEndGoesIn |= holdsLineEnd(query);

    std::int16_t expectedSlot = 1;
    const lexoria::SearchResult result = lexoria::runSearch(
        *docList, pages, query, {foundHtml, titula, notFound}, [&](std::int16_t slot, bool) {
            require(slot == expectedSlot++, "every slot is reported once, in order");
        });
    require(expectedSlot == pages + 1, "every slot is reported");
    std::string_view page = result.page;
    require(page.ends_with("\r\n"), "the results page ends with CR LF");
    page.remove_suffix(2);
    require(lineEndGoesIn || !holdsLineEnd(page), "the results page is one line");
    return 0;
}
