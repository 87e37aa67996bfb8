#pragma once

#include "check/problem_list.h"

#include <string>
#include <string_view>

namespace lexoria {

// Reports every tag of the page at path that loads something from outside
// the statute's folder appPath (ending with "/"): a web address, a
// protocol-relative address, an absolute path, a file URL or a relative path
// that climbs out with "..", given as a source, a stylesheet or other linked
// resource, a frame, an object or a background. The reader refuses to load
// those. Links to follow (<a href>) and inline data are no problem.
void checkOutsideLoads(const std::string& appPath, const std::string& path, std::string_view bytes,
                       ProblemList& problems);

}  // namespace lexoria
