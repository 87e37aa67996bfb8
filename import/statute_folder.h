#pragma once

#include "check/problem_list.h"

#include <map>
#include <string>
#include <vector>

namespace lexoria {

// Writes a statute folder at dir: files (name to bytes), then "Wlist.idx"
// for pages in that order, by the index writer's rules. Everything goes into
// a new folder beside dir first, which then takes dir's place in one step,
// so that dir never holds half a statute. dir must not exist or be empty;
// with replace it may hold a statute (an "index.html" or "Wlist.idx"),
// which goes whole. Lists what went wrong; on any error dir is as it was.
ProblemList writeStatuteFolder(const std::string& dir, const std::map<std::string, std::string>& files,
                               const std::vector<std::string>& pages, bool replace);

}  // namespace lexoria
