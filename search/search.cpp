#include "search/search.h"

#include "search/results_page.h"
#include "search/substring.h"

#include <stdexcept>

namespace lexoria {

SearchResult runSearch(const DocList& docList, std::int16_t docCount, std::string_view query,
                       const ResultsTexts& texts,
                       const std::function<void(std::int16_t slot, bool matched)>& afterSlot)
{
    if (docCount < 0 || docCount > maxPages)
        throw std::out_of_range("the document table has " + std::to_string(docCount) + " slots filled");
    SearchResult result;
    std::string hits;
    const SubstringTest inPage(query);
    for (std::int16_t slot = 1; slot <= docCount; ++slot) {
        const DocEntry& entry = docList[slot];
        const bool matched = inPage.foundIn(entry.strText);
        if (matched) {
            hits += strHitLine(entry);
            result.hitSlots.push_back(slot);
        }
        afterSlot(slot, matched);
    }
    const std::string body = result.hitSlots.empty() ? notFoundBody(texts.strNotFound) : hitsBody(query, hits);
    result.page = resultsFileContent(texts.strFoundHtml, texts.strTitula, body);
    return result;
}

}  // namespace lexoria
