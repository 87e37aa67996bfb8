#pragma once

#include "check/problem_list.h"

#include <set>
#include <string>
#include <string_view>

namespace lexoria {

// The frames of a frameset page such as "index.html".
struct Frames {
    bool hasT = false;              // a frame or iframe is named "T"
    std::set<std::string> pages;    // the pages its frames show (such as the contents)
};

Frames framesOf(std::string_view page);

// Checks the home page "index.html", whose frame or iframe "T" shows the
// pages, the results and the help, and the help page "Help.html". Returns
// the pages that the frames of "index.html" show, which the index need not
// list. appPath ends with "/".
std::set<std::string> checkFramePages(const std::string& appPath, ProblemList& problems);

}  // namespace lexoria
