#pragma once

#include <string>
#include <vector>

namespace lexoria {

// A unit above the articles: a part, chapter, section and the like. Texts
// are UTF-8 with their blanks folded; id tells equal headings apart.
struct Container {
    int id = 0;
    std::string num, heading;
};

// One article, or one top-level unit of a body that has no articles.
struct Provision {
    std::string num, heading;           // UTF-8, blanks folded; either may be empty
    bool removed = false;               // repealed: it keeps its number with a note
    std::string html;                   // its text as HTML, UTF-8
    std::vector<Container> containers;  // the units above it, outermost first
};

struct Act {
    std::string title;    // the docTitle, with the short title in brackets where there is one
    bool slovene = false; // published in Slovenia, whose official text is the Official Gazette's
    std::vector<Provision> provisions;
};

}  // namespace lexoria
