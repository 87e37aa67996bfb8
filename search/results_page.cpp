#include "search/results_page.h"

namespace lexoria {

namespace {

constexpr std::string_view hitLineTemplate = "<br><a href='TARGT#F1' target='T'>TITUL</a><br>";

}  // namespace

std::string fillTokens(std::string_view text, std::initializer_list<TokenValue> tokens)
{
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (;;) {
        const TokenValue* next = nullptr;
        std::size_t at = std::string_view::npos;
        for (const TokenValue& candidate : tokens) {
            const std::size_t found = candidate.token.empty() ? std::string_view::npos : text.find(candidate.token, from);
            if (found < at) {
                at = found;
                next = &candidate;
            }
        }
        if (!next)
            break;
        out.append(text, from, at - from);
        out.append(next->value);
        from = at + next->token.size();
    }
    out.append(text, from);
    return out;
}

std::string strHitLine(const DocEntry& entry)
{
    return fillTokens(hitLineTemplate, {{"TARGT", entry.strFile}, {"TITUL", entry.strTitle}});
}

std::optional<char> linkBreakingByte(std::string_view file)
{
    for (const char c : file) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || std::string_view("'#?%&\\").find(c) != std::string_view::npos)
            return c;
    }
    return std::nullopt;
}

std::string notFoundBody(std::string_view strNotFound)
{
    return "<b>" + std::string(strNotFound) + "</b>";
}

std::string hitsBody(std::string_view query, std::string_view hits)
{
    return "<b>" + std::string(query) + ":<br><br></b>" + std::string(hits);
}

std::string resultsFileContent(std::string_view strFoundHtml, std::string_view strTitula, std::string_view body)
{
    return fillTokens(strFoundHtml, {{"TITULA", strTitula}, {"BODDDY", body}}) + "\r\n";
}

}  // namespace lexoria
