#pragma once

#include "check/problem_list.h"

#include <string>
#include <vector>

namespace lexoria {

// Writes "Wlist.idx" in appPath (which ends with "/") for the given pages,
// names relative to appPath, in that order; with none given, for every
// "*.html" page in appPath but "index.html", "Help.html", "found.html" and
// the pages that the frames of "index.html" show, in name order. Each title is the page's <title>, written in the form the
// reader reads: "file","title" and CR LF, the page's bytes unchanged.
//
// Writes nothing, and lists why, when an index exists and replace is not
// set, when a page is missing or has a title that the form cannot hold (a
// double quote, a line break, no text), or when the index would break a
// rule of the index check. The index is replaced whole or not at all,
// keeping its mode; a link to it stays, and the file it leads to is replaced
// (made, when the link dangles).
ProblemList writeIndex(const std::string& appPath, std::vector<std::string> pages, bool replace);

}  // namespace lexoria
