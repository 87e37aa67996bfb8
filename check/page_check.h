#pragma once

#include "check/problem_list.h"

#include <string>
#include <string_view>

namespace lexoria {

// Whether a page must hold the anchor "F1", where the links of the results
// page open it.
enum class Anchor { needed, notNeeded };

// Checks the bytes of the page at path in the statute's folder appPath
// (ending with "/"): ISO-8859-2 text rather than UTF-8, a declared character
// set that is ISO-8859-2, the anchor "F1" if needed, and nothing loaded from
// outside the folder.
void checkPage(const std::string& appPath, const std::string& path, std::string_view bytes, Anchor anchor, ProblemList& problems);

}  // namespace lexoria
