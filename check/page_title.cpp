#include "check/page_title.h"

#include "check/html_tags.h"

namespace lexoria {

std::optional<PageTitle> pageTitle(std::string_view page)
{
    std::optional<PageTitle> title;
    std::size_t textBegin = std::string_view::npos, textEnd = std::string_view::npos;
    forEachTag(page, [&](const HtmlTag& tag) {
        if (tag.name == "title" && textBegin == std::string_view::npos) {
            textBegin = tag.end;
            title = PageTitle{{}, tag.line};
        } else if (tag.name == "/title" && textBegin != std::string_view::npos && textEnd == std::string_view::npos) {
            textEnd = tag.begin;
        }
    });
    if (!title || textEnd == std::string_view::npos)
        return std::nullopt;
    std::string_view text = page.substr(textBegin, textEnd - textBegin);
    constexpr std::string_view blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first != std::string_view::npos)
        title->text = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    return title;
}

}  // namespace lexoria
