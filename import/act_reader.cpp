#include "import/act_reader.h"

#include "base/file_error.h"
#include "import/provision_html.h"
#include "import/xml_text.h"

#include <libxml/parser.h>

#include <climits>
#include <memory>
#include <regex>

namespace lexoria {

namespace {

constexpr char oasisNamespace[] = "http://docs.oasis-open.org/legaldocml/ns/akn/3.0";

bool isActNamespace(const std::string& href)
{
    static const std::regex legalDocMlDe(R"(http://Inhaltsdaten\.LegalDocML\.de/1\.[0-9]+/)");
    return href == oasisNamespace || std::regex_match(href, legalDocMlDe);
}

int lineOf(const xmlNode* node)
{
    return static_cast<int>(xmlGetLineNo(node));
}

struct ParsedXml {
    std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> context{xmlNewParserCtxt(), xmlFreeParserCtxt};
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc{nullptr, xmlFreeDoc};
};

// The first error the parser meets: what follows it is most often its echo,
// such as the end of the file in an element the broken one left open.
struct FirstError {
    int line = 0;
    std::string message;
};

void keepFirst(void* first, xmlErrorPtr error)
{
    auto* kept = static_cast<FirstError*>(first);
    if (kept->message.empty() && error && error->level >= XML_ERR_ERROR && error->message) {
        kept->line = error->line;
        kept->message = foldBlanks(error->message);
        while (kept->message.ends_with(' '))
            kept->message.pop_back();
    }
}

// No network, no DTD loaded, no entity substituted: an act needs none, and
// each would let the file reach outside itself or grow without bound. Lines
// past 65535 keep their numbers.
void parse(std::string_view xml, const std::string& path, ParsedXml& parsed)
{
    if (xml.size() > INT_MAX)
        throw FileError(path, 0, "the file is too large to read as an act");
    if (!parsed.context)
        throw FileError(path, 0, "no memory to read the file");
    FirstError first;
    xmlSetStructuredErrorFunc(&first, keepFirst);
    parsed.doc.reset(xmlCtxtReadMemory(parsed.context.get(), xml.data(), static_cast<int>(xml.size()), nullptr,
                                       nullptr, XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (parsed.doc && parsed.context->wellFormed)
        return;
    throw FileError(path, first.line, "the file is not well-formed XML: " +
                                          (first.message.empty() ? std::string("unreadable") : first.message));
}

// The root element of an Akoma Ntoso document and its act, or a message
// that says what the file is instead.
const xmlNode* actOf(const xmlDoc* doc, const std::string& path, std::string& ns)
{
    const xmlNode* root = xmlDocGetRootElement(doc);
    if (!root)
        throw FileError(path, 0, "the file holds no element");
    ns = root->ns && root->ns->href ? reinterpret_cast<const char*>(root->ns->href) : "";
    if (std::string(reinterpret_cast<const char*>(root->name)) != "akomaNtoso" || !isActNamespace(ns))
        throw FileError(path, lineOf(root),
                        "the file is no Akoma Ntoso document: its root element is <" +
                            std::string(reinterpret_cast<const char*>(root->name)) + "> in the namespace \"" + ns + "\"");
    for (const xmlNode* child = root->children; child; child = child->next)
        if (child->type == XML_ELEMENT_NODE) {
            if (actName(child, ns) != "act")
                throw FileError(path, lineOf(child), "the document is <" +
                    std::string(reinterpret_cast<const char*>(child->name)) + ">, not an act");
            return child;
        }
    throw FileError(path, lineOf(root), "the document holds no act");
}

const xmlNode* firstNamed(const xmlNode* node, std::string_view ns, std::string_view name)
{
    for (const xmlNode* child = node->children; child; child = child->next) {
        if (actName(child, ns) == name)
            return child;
        if (child->type == XML_ELEMENT_NODE && actName(child, ns) != "meta")
            if (const xmlNode* found = firstNamed(child, ns, name))
                return found;
    }
    return nullptr;
}

std::string titleOf(const xmlNode* act, std::string_view ns, const std::string& path)
{
    const xmlNode* docTitle = firstNamed(act, ns, "docTitle");
    const std::string title = docTitle ? foldedText(docTitle) : std::string();
    if (title.empty())
        throw FileError(path, lineOf(act), "the act has no <docTitle> with text, which names it");
    const xmlNode* shortTitle = firstNamed(act, ns, "shortTitle");
    const std::string abbreviation = shortTitle ? foldedText(shortTitle) : std::string();
    return abbreviation.empty() ? title : title + " (" + abbreviation + ")";
}

bool publishedInSlovenia(const xmlNode* act, std::string_view ns)
{
    const xmlNode* country = nullptr;
    if (const xmlNode* meta = actChild(act, ns, "meta"))
        if (const xmlNode* identification = actChild(meta, ns, "identification"))
            if (const xmlNode* work = actChild(identification, ns, "FRBRWork"))
                country = actChild(work, ns, "FRBRcountry");
    return country && attribute(country, "value") == "si";
}

bool holdsArticle(const xmlNode* node, std::string_view ns)
{
    for (const xmlNode* child = node->children; child; child = child->next)
        if (actName(child, ns) == "article" || (child->type == XML_ELEMENT_NODE && holdsArticle(child, ns)))
            return true;
    return false;
}

Provision provisionOf(const xmlNode* unit, std::string_view ns, const std::vector<Container>& containers)
{
    Provision provision;
    if (const xmlNode* num = actChild(unit, ns, "num"))
        provision.num = foldedText(num);
    if (const xmlNode* heading = actChild(unit, ns, "heading"))
        provision.heading = foldedText(heading);
    provision.removed = attribute(unit, "status") == "removed";
    provision.html = provisionHtml(unit, ns);
    provision.containers = containers;
    return provision;
}

struct Walk {
    std::string_view ns;
    std::vector<Provision>& provisions;
    std::vector<Container> containers;
    int nextId = 0;
};

// Every article below node, in document order, with the containers above it.
void collectArticles(const xmlNode* node, Walk& walk)
{
    for (const xmlNode* child = node->children; child; child = child->next) {
        const std::string_view name = actName(child, walk.ns);
        if (name == "article") {
            walk.provisions.push_back(provisionOf(child, walk.ns, walk.containers));
        } else if (!name.empty() && holdsArticle(child, walk.ns)) {
            Container container{++walk.nextId, {}, {}};
            if (const xmlNode* num = actChild(child, walk.ns, "num"))
                container.num = foldedText(num);
            if (const xmlNode* heading = actChild(child, walk.ns, "heading"))
                container.heading = foldedText(heading);
            walk.containers.push_back(container);
            collectArticles(child, walk);
            walk.containers.pop_back();
        }
    }
}

}  // namespace

Act readAct(std::string_view xml, const std::string& path)
{
    ParsedXml parsed;
    parse(xml, path, parsed);
    std::string ns;
    const xmlNode* act = actOf(parsed.doc.get(), path, ns);
    const xmlNode* body = actChild(act, ns, "body");
    if (!body)
        throw FileError(path, lineOf(act), "the act has no <body>, which holds its provisions");
    Act result{titleOf(act, ns, path), publishedInSlovenia(act, ns), {}};
    if (holdsArticle(body, ns)) {
        Walk walk{ns, result.provisions, {}};
        collectArticles(body, walk);
    } else {
        for (const xmlNode* child = body->children; child; child = child->next)
            if (!actName(child, ns).empty())
                result.provisions.push_back(provisionOf(child, ns, {}));
    }
    if (result.provisions.empty())
        throw FileError(path, lineOf(body), "the act's <body> holds no provision");
    return result;
}

}  // namespace lexoria
