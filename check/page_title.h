#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lexoria {

struct PageTitle {
    std::string text;  // the page's bytes, blanks and line ends at both ends left off
    int line;          // where <title> stands
};

// The text of the page's <title>, or nothing when it has none. Character
// references stay as they are: the index's titles go into the results page
// as HTML, where they read as they do in the page.
std::optional<PageTitle> pageTitle(std::string_view page);

}  // namespace lexoria
