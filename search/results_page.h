#pragma once

#include "search/document_table.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace lexoria {

// A token of a template and the text that takes its place.
struct TokenValue {
    std::string_view token;
    std::string_view value;
};

// Every occurrence of each token in text, left to right and case-sensitive,
// replaced in one pass: an inserted value is never searched again, so a file
// name or title that holds a token shows as it is. Where two tokens start at
// the same place the one listed first wins; an empty token is never found.
std::string fillTokens(std::string_view text, std::initializer_list<TokenValue> tokens);

// The link to one matching page, opening it at its anchor F1 in frame "T":
// "TARGT" is replaced by the file name and "TITUL" by the title.
std::string strHitLine(const DocEntry& entry);

// The body of a search that matched nothing.
std::string notFoundBody(std::string_view strNotFound);

// The body of a search that matched: the query as heading, then the hit lines.
std::string hitsBody(std::string_view query, std::string_view hits);

// The bytes of "found.html": the template with its "TITULA" replaced by the
// title text and its "BODDDY" by the body, as one line ending in CR LF.
std::string resultsFileContent(std::string_view strFoundHtml, std::string_view strTitula, std::string_view body);

}  // namespace lexoria
