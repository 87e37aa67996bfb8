#pragma once

#include "check/problem_list.h"

#include <set>
#include <string>

namespace lexoria {

// Notes every page (".html" or ".htm") under appPath, which ends with "/",
// that is neither listed (names relative to appPath) nor one of the
// reader's own pages: the search never finds it, which may be meant.
// The pages the reader opens or writes by their fixed names, never through
// the index.
const std::set<std::string>& readersOwnPages();

void noteUnlistedPages(const std::string& appPath, const std::set<std::string>& listed, ProblemList& problems);

}  // namespace lexoria
