#include "import/xml_text.h"

#include <libxml/xmlmemory.h>

#include <memory>

namespace lexoria {

std::string_view actName(const xmlNode* node, std::string_view ns)
{
    if (node->type != XML_ELEMENT_NODE || !node->ns || !node->ns->href
        || ns != reinterpret_cast<const char*>(node->ns->href))
        return {};
    return reinterpret_cast<const char*>(node->name);
}

const xmlNode* actChild(const xmlNode* node, std::string_view ns, std::string_view name)
{
    for (const xmlNode* child = node->children; child; child = child->next)
        if (actName(child, ns) == name)
            return child;
    return nullptr;
}

std::string foldBlanks(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (char c : text) {
        const bool isBlank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (isBlank && !blank)
            out += ' ';
        else if (!isBlank)
            out += c;
        blank = isBlank;
    }
    return out;
}

namespace {

// The text of node's text nodes, in document order. Entity references are
// left out: an act declares no entities, and one that does gets none
// expanded, so that a few bytes of them cannot grow into a huge text.
void appendText(const xmlNode* node, std::string& text)
{
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE)
            text += reinterpret_cast<const char*>(child->content);
        else if (child->type == XML_ELEMENT_NODE)
            appendText(child, text);
    }
}

}  // namespace

std::string foldedText(const xmlNode* node)
{
    std::string raw;
    appendText(node, raw);
    std::string text = foldBlanks(raw);
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string escapeHtml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string attribute(const xmlNode* node, const char* name)
{
    const std::unique_ptr<xmlChar, decltype(xmlFree)> value(
        xmlGetProp(node, reinterpret_cast<const xmlChar*>(name)), xmlFree);
    return value ? reinterpret_cast<const char*>(value.get()) : std::string();
}

}  // namespace lexoria
