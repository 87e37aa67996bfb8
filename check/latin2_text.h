#pragma once

#include "check/problem_list.h"

#include <string>
#include <string_view>

namespace lexoria {

// Whether the bytes hold letters above ASCII and are yet valid UTF-8: text
// saved as UTF-8 where ISO-8859-2 is wanted, for Latin-2 letters almost
// never make valid UTF-8 by chance.
bool looksLikeUtf8(std::string_view bytes);

// Reports the file at path when its bytes look like UTF-8, naming the line
// of the first letter above ASCII; harm says what goes wrong then.
void checkNotUtf8(const std::string& path, std::string_view bytes, const std::string& harm, ProblemList& problems);

}  // namespace lexoria
