#pragma once

#include "check/problem_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace lexoria {

// A page that the index lists and that is there.
struct ListedPage {
    std::string name;  // as listed, relative to the application directory
    std::string path;  // where it lies
};

// Checks the bytes of an index, read as the reader reads "Wlist.idx" (the
// same list input, the same page names), and puts every fault in problems:
// a bad field, a record that is not one line of two fields, more than 512
// pages, a name the reader refuses, a page listed twice, a listed page that
// is missing, no page at all. indexPath names the index in messages;
// appPath ends with "/". Returns the listed pages that are there.
std::vector<ListedPage> checkIndex(std::string_view bytes, const std::string& indexPath,
                                   const std::string& appPath, ProblemList& problems);

}  // namespace lexoria
