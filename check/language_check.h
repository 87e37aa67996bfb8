#pragma once

#include "check/problem_list.h"

#include <string>

namespace lexoria {

// Checks the language file "slo.lng" at path, every line as the reader
// reads it, and that its results template has room for the hits.
void checkLanguageFile(const std::string& path, ProblemList& problems);

}  // namespace lexoria
