#include "search/results_page.h"

namespace lexoria {

namespace {

constexpr std::string_view hitLineTemplate = "<br><a href='TARGT#F1' target='T'>TITUL</a><br>";

}  // namespace

std::string replaceToken(std::string_view text, std::string_view token, std::string_view replacement)
{
    if (token.empty())
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(token); at != std::string_view::npos; at = text.find(token, from)) {
        out.append(text, from, at - from);
        out.append(replacement);
        from = at + token.size();
    }
    out.append(text, from);
    return out;
}

std::string strHitLine(const DocEntry& entry)
{
    return replaceToken(replaceToken(hitLineTemplate, "TARGT", entry.strFile), "TITUL", entry.strTitle);
}

std::string resultsHeader(std::string_view strFoundHtml, std::string_view strTitula)
{
    return replaceToken(strFoundHtml, "TITULA", strTitula);
}

std::string notFoundBody(std::string_view strNotFound)
{
    return "<b>" + std::string(strNotFound) + "</b>";
}

std::string hitsBody(std::string_view query, std::string_view hits)
{
    return "<b>" + std::string(query) + ":<br><br></b>" + std::string(hits);
}

std::string resultsFileContent(std::string_view header, std::string_view body)
{
    return replaceToken(header, "BODDDY", body) + "\r\n";
}

}  // namespace lexoria
