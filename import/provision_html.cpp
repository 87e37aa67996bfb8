#include "import/provision_html.h"

#include "import/xml_text.h"

#include <array>
#include <algorithm>

namespace lexoria {

namespace {

// Elements that only wrap text: their children stand in their place.
bool isWrapper(std::string_view name)
{
    static constexpr std::array<std::string_view, 7> wrappers{
        "content", "intro", "wrapUp", "listIntroduction", "listWrapUp", "blockContainer", "container"};
    return std::find(wrappers.begin(), wrappers.end(), name) != wrappers.end();
}

// Elements whose text the page shows in HTML's own tags.
std::string_view htmlTag(std::string_view name)
{
    if (name == "b" || name == "i" || name == "u" || name == "sub" || name == "sup")
        return name;
    return {};
}

void appendInline(const xmlNode* node, std::string_view ns, std::string& out)
{
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            out += escapeHtml(foldBlanks(reinterpret_cast<const char*>(child->content)));
            continue;
        }
        const std::string_view name = actName(child, ns);
        if (name == "br") {
            out += "<br>";
        } else if (const std::string_view tag = htmlTag(name); !tag.empty()) {
            out.append("<").append(tag).append(">");
            appendInline(child, ns, out);
            out.append("</").append(tag).append(">");
        } else if (!name.empty() && name != "authorialNote" && name != "noteRef") {
            appendInline(child, ns, out);
        }
    }
}

// HTML text as a paragraph, its blanks trimmed; nothing when it is blank.
std::string paragraph(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return "<p>" + text.substr(first, text.find_last_not_of(' ') - first + 1) + "</p>\n";
}

std::string lead(const xmlNode* unit, std::string_view ns)
{
    std::string out;
    if (const xmlNode* num = actChild(unit, ns, "num"))
        out += escapeHtml(foldedText(num)) + " ";
    for (const char* name : {"heading", "subheading"})
        if (const xmlNode* heading = actChild(unit, ns, name))
            out += "<b>" + escapeHtml(foldedText(heading)) + "</b> ";
    return out;
}

void appendBlocks(const xmlNode* node, std::string_view ns, std::string& out);

// A nested unit (a paragraph, list, point ...) in a block of its own, its
// number and heading at the start of its first line.
std::string nestedUnit(const xmlNode* unit, std::string_view name, std::string_view ns)
{
    std::string inner;
    if (attribute(unit, "status") == "removed")
        inner = std::string("<p>") + removedNote + "</p>\n";
    else
        appendBlocks(unit, ns, inner);
    if (const std::string start = lead(unit, ns); !start.empty()) {
        const std::size_t at = inner.find("<p>");
        if (at == std::string::npos)
            inner.insert(0, "<p>" + start + "</p>\n");
        else
            inner.insert(at + 3, start);
    }
    return "<div class=\"" + std::string(name) + "\">\n" + inner + "</div>\n";
}

void appendBlocks(const xmlNode* node, std::string_view ns, std::string& out)
{
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            out += paragraph(escapeHtml(foldBlanks(reinterpret_cast<const char*>(child->content))));
            continue;
        }
        const std::string_view name = actName(child, ns);
        if (name.empty() || name == "num" || name == "heading" || name == "subheading")
            continue;
        if (name == "p" || name == "docTitle" || !htmlTag(name).empty()) {
            std::string text;
            appendInline(child, ns, text);
            out += paragraph(text);
        }
        else if (isWrapper(name))
            appendBlocks(child, ns, out);
        else
            out += nestedUnit(child, name, ns);
    }
}

}  // namespace

std::string provisionHtml(const xmlNode* unit, std::string_view ns)
{
    std::string out;
    appendBlocks(unit, ns, out);
    return out;
}

}  // namespace lexoria
