#include "search/search.h"

#include "search/results_page.h"
#include "search/substring.h"

#include <stdexcept>

namespace lexoria {

void ResultsPageBuilder::addHit(const DocEntry& entry)
{
    hits_ += strHitLine(entry);
    anyHit_ = true;
}

std::string ResultsPageBuilder::page() const
{
    const std::string body = anyHit_ ? hitsBody(query_, hits_) : notFoundBody(texts_.strNotFound);
    return resultsFileContent(texts_.strFoundHtml, texts_.strTitula, body);
}

SearchResult runSearch(const DocList& docList, std::int16_t docCount, std::string_view query,
                       const ResultsTexts& texts,
                       const std::function<void(std::int16_t slot, bool matched)>& afterSlot)
{
    if (docCount < 0 || docCount > maxPages)
        throw std::out_of_range("the document table has " + std::to_string(docCount) + " slots filled");
    SearchResult result;
    ResultsPageBuilder results(query, texts);
    const SubstringTest inPage(query);
    for (std::int16_t slot = 1; slot <= docCount; ++slot) {
        const DocEntry& entry = docList[slot];
        const bool matched = inPage.foundIn(entry.strText);
        if (matched) {
            results.addHit(entry);
            result.hitSlots.push_back(slot);
        }
        afterSlot(slot, matched);
    }
    result.page = results.page();
    return result;
}

}  // namespace lexoria
