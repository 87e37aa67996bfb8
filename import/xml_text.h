#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace lexoria {

// An element's name when it lies in namespace ns, else empty: elements of
// other vocabularies, such as a publisher's own metadata, are not the act's.
std::string_view actName(const xmlNode* node, std::string_view ns);

// The first child element of node named name in namespace ns.
const xmlNode* actChild(const xmlNode* node, std::string_view ns, std::string_view name);

// The text of node and everything in it, its blanks folded to one space and
// trimmed at both ends.
std::string foldedText(const xmlNode* node);

// Runs of blanks folded to one space, nothing trimmed.
std::string foldBlanks(std::string_view text);

// Text for HTML: &, <, > and " as character references.
std::string escapeHtml(std::string_view text);

// The value of an attribute, empty when there is none.
std::string attribute(const xmlNode* node, const char* name);

}  // namespace lexoria
