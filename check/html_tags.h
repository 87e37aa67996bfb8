#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace lexoria {

// One start or end tag of a page, as far as the checks need it.
struct HtmlTag {
    std::string name;                              // lower-case, "/title" for an end tag
    std::map<std::string, std::string> attributes; // names lower-case, values as written
    int line = 1;                                  // where the tag begins, counted from 1
    std::size_t begin = 0, end = 0;                // the tag's bytes: [begin, end)
};

// Calls found for every tag of the page in order, skipping comments,
// declarations and the text of scripts and styles. The page's bytes are
// taken as they are; no character set is assumed beyond ASCII markup.
void forEachTag(std::string_view page, const std::function<void(const HtmlTag& tag)>& found);

// The text with ASCII letters in lower case, as tag and attribute names
// compare.
std::string asciiLowered(std::string_view text);

// The line, counted from 1, of the byte at offset.
int lineAt(std::string_view bytes, std::size_t offset);

}  // namespace lexoria
