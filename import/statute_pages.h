#pragma once

#include "import/act.h"
#include "import/page_plan.h"

#include <map>
#include <string>
#include <vector>

namespace lexoria {

// Names of the pages around the provisions.
inline constexpr char titlePage[] = "naslovnica.html";
inline constexpr char contentsPage[] = "toc.html";
inline constexpr char styleSheet[] = "zakon.css";

// The name of a provision, such as "5. člen": its number, else its place.
std::string provisionLabel(const Provision& provision, std::size_t index);

// The title of a page: "5. člen (heading)" for one provision, "5. do 7. člen"
// for a run of them.
std::string pageTitle(const std::vector<Provision>& provisions, const PagePlan& page);

// The page of each plan, UTF-8, by file name: the anchor "F1" at its start,
// the headings of the containers above its provisions at its top.
std::map<std::string, std::string> provisionPages(const Act& act, const std::vector<PagePlan>& plans);

// The start of every page: its character set, title and style sheet.
std::string pageHead(const std::string& title, const std::string& extra = "");

}  // namespace lexoria
