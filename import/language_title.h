#pragma once

#include "check/problem_list.h"

#include <string>

namespace lexoria {

// Puts the statute's title, the <title> of dir's "index.html", into the
// "strTitula" of dir's "slo.lng", so that a statute packaged with the
// shipped texts names itself in the caption and on the results page. The
// language file is replaced whole or not at all.
ProblemList titleLanguageFile(const std::string& dir);

}  // namespace lexoria
