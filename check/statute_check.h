#pragma once

#include "check/problem_list.h"

#include <string>

namespace lexoria {

// Checks the statute in the application directory appPath (which ends with
// "/") the way the reader will read it: "Wlist.idx" and every page it
// lists, "index.html", "Help.html", "slo.lng" and the skin. Pages that the
// index does not list are notes.
ProblemList checkStatute(const std::string& appPath);

}  // namespace lexoria
