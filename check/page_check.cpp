#include "check/page_check.h"

#include "check/html_tags.h"
#include "check/latin2_text.h"
#include "check/outside_loads.h"

#include <algorithm>
#include <array>
#include <optional>

namespace lexoria {

namespace {

// The names browsers take for ISO-8859-2.
bool namesLatin2(const std::string& charset)
{
    static constexpr std::array<std::string_view, 9> names{
        "iso-8859-2", "iso8859-2", "iso88592", "iso_8859-2", "iso_8859-2:1987",
        "iso-ir-101", "latin2", "l2", "csisolatin2"};
    const std::string name = asciiLowered(charset);
    return std::find(names.begin(), names.end(), name) != names.end();
}

struct Declared {
    std::string charset;
    int line;
};

// The character set of <meta charset=...> or of the "charset=" in a
// <meta http-equiv content=...>.
std::optional<Declared> declaredCharset(const HtmlTag& tag)
{
    if (tag.name != "meta")
        return std::nullopt;
    if (auto it = tag.attributes.find("charset"); it != tag.attributes.end())
        return Declared{it->second, tag.line};
    auto content = tag.attributes.find("content");
    if (content == tag.attributes.end())
        return std::nullopt;
    const std::string text = asciiLowered(content->second);
    const std::size_t at = text.find("charset=");
    if (at == std::string::npos)
        return std::nullopt;
    const std::size_t start = at + 8;
    const std::size_t end = text.find_first_of("; \t\"'", start);
    return Declared{text.substr(start, end == std::string::npos ? end : end - start), tag.line};
}

bool isAnchorF1(const HtmlTag& tag)
{
    for (const char* attribute : {"name", "id"}) {
        auto it = tag.attributes.find(attribute);
        if (it != tag.attributes.end() && it->second == "F1")
            return true;
    }
    return false;
}

}  // namespace

void checkPage(const std::string& appPath, const std::string& path, std::string_view bytes, Anchor anchor, ProblemList& problems)
{
    checkNotUtf8(path, bytes, "its letters show wrongly and its words with \xC4\x8D, \xC5\xA1, \xC5\xBE are never found",
                 problems);
    const bool hasHighBytes = std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; });
    std::optional<Declared> declared;
    bool hasF1 = false;
    forEachTag(bytes, [&](const HtmlTag& tag) {
        if (!declared)
            declared = declaredCharset(tag);
        hasF1 = hasF1 || isAnchorF1(tag);
    });
    if (declared && !namesLatin2(declared->charset))
        problems.error(path, declared->line,
                       "the page declares the character set \"" + declared->charset + "\", not ISO-8859-2");
    if (!declared && hasHighBytes)
        problems.error(path, "the page declares no character set, so its letters may show wrongly; "
                             "add <meta charset=\"iso-8859-2\">");
    checkOutsideLoads(appPath, path, bytes, problems);
    if (anchor == Anchor::needed && !hasF1)
        problems.error(path, "the page has no anchor \"F1\", where the links of the results page open it");
}

}  // namespace lexoria
