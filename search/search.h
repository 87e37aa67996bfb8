#pragma once

#include "search/document_table.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexoria {

// The language file's texts that make up a results page.
struct ResultsTexts {
    std::string_view strFoundHtml;  // the template, holding "TITULA" and "BODDDY"
    std::string_view strTitula;
    std::string_view strNotFound;
};

struct SearchResult {
    std::vector<std::int16_t> hitSlots;  // matching slots, in index order
    std::string page;                    // the bytes of "found.html"
};

// The results page of a search, built up from its matching pages in index
// order.
class ResultsPageBuilder {
public:
    ResultsPageBuilder(std::string_view query, const ResultsTexts& texts) : query_(query), texts_(texts) {}

    void addHit(const DocEntry& entry);
    // The bytes of "found.html".
    std::string page() const;

private:
    std::string_view query_;
    ResultsTexts texts_;
    std::string hits_;
    bool anyHit_ = false;
};

// Tests slots 1 to docCount for the query, already normalised, as a byte
// string inside each lower-cased page, and assembles the results page.
// afterSlot runs after every slot, so the caller can show progress and let
// its event loop run. Throws std::out_of_range for a docCount outside
// 0..512.
SearchResult runSearch(const DocList& docList, std::int16_t docCount, std::string_view query,
                       const ResultsTexts& texts,
                       const std::function<void(std::int16_t slot, bool matched)>& afterSlot);

}  // namespace lexoria
