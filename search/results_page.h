#pragma once

#include "search/document_table.h"

#include <string>
#include <string_view>

namespace lexoria {

// Every occurrence of token in text, left to right and case-sensitive,
// replaced in one pass: a replacement is never searched again. An empty
// token leaves the text as it is.
std::string replaceToken(std::string_view text, std::string_view token, std::string_view replacement);

// The link to one matching page, opening it at its anchor F1 in frame "T":
// "TARGT" is replaced by the file name first, then "TITUL" in that result by
// the title.
std::string strHitLine(const DocEntry& entry);

// The results template with its "TITULA" replaced by the title text.
std::string resultsHeader(std::string_view strFoundHtml, std::string_view strTitula);

// The body of a search that matched nothing.
std::string notFoundBody(std::string_view strNotFound);

// The body of a search that matched: the query as heading, then the hit lines.
std::string hitsBody(std::string_view query, std::string_view hits);

// The bytes of "found.html": the header with its "BODDDY" replaced by the
// body, as one line ending in CR LF.
std::string resultsFileContent(std::string_view header, std::string_view body);

}  // namespace lexoria
