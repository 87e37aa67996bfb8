#pragma once

#include "check/problem_list.h"

#include <string>

namespace lexoria {

// Checks that every picture of the skin folder "Skin" in appPath (which
// ends with "/") is there and whole: the background strip, the icon, and the
// normal and lit picture of every picture button.
void checkSkin(const std::string& appPath, ProblemList& problems);

}  // namespace lexoria
