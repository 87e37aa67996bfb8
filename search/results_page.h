#pragma once

#include "search/document_table.h"

#include <initializer_list>
#include <optional>
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

// The first byte of a page's file name that its link above cannot carry as
// it is written there, unescaped, inside single quotes: one that ends the
// quotes ('), starts the address's fragment, query or an escape (#, ?, %), an
// entity (&), a folder as "\" or a control character, or any byte above
// ASCII (the view reads the address as UTF-8, the index holds ISO-8859-2).
// Nothing when every byte is safe.
std::optional<char> linkBreakingByte(std::string_view file);

// The body of a search that matched nothing.
std::string notFoundBody(std::string_view strNotFound);

// The body of a search that matched: the query as heading, then the hit lines.
std::string hitsBody(std::string_view query, std::string_view hits);

// The bytes of "found.html": the template with its "TITULA" replaced by the
// title text and its "BODDDY" by the body, as one line ending in CR LF.
std::string resultsFileContent(std::string_view strFoundHtml, std::string_view strTitula, std::string_view body);

}  // namespace lexoria
