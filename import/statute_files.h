#pragma once

#include "import/act.h"
#include "import/page_plan.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace lexoria {

// Every file of the statute folder but its index, in ISO-8859-2, by name:
// the pages, the style sheet, and the language file: languageFile with its
// "strTitula" the act's title, the same text as the <title> of "index.html".
std::map<std::string, std::string> statuteFiles(const Act& act, const std::vector<PagePlan>& plans,
                                                std::string_view languageFile);

}  // namespace lexoria
