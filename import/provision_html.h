#pragma once

#include <libxml/tree.h>

#include <string>
#include <string_view>

namespace lexoria {

// The note that a repealed provision carries in place of its text.
inline constexpr char removedNote[] = "(prenehal veljati)";

// The text of an act's unit as HTML (UTF-8): its paragraphs, lists and
// points with their numbers as the act gives them, each nested unit's
// heading in bold. The unit's own number and heading are left out: the page
// shows them above. ns is the act's namespace.
std::string provisionHtml(const xmlNode* unit, std::string_view ns);

}  // namespace lexoria
