#pragma once

#include "import/act.h"
#include "import/page_plan.h"

#include <map>
#include <string>
#include <vector>

namespace lexoria {

// The pages around the provisions, UTF-8, by file name: "index.html" (the
// contents beside the frame "T", titled by the act), the contents page that
// follows the act's hierarchy and names each provision, the title page and
// "Help.html".
std::map<std::string, std::string> frontPages(const Act& act, const std::vector<PagePlan>& plans);

}  // namespace lexoria
