#pragma once

#include <string>
#include <string_view>

namespace lexoria {

// The query of a search from the Windows-1250 text of the search box:
// spaces trimmed at the right end and then the left, every two spaces made
// one in a single pass (so three become two), lowered by the Windows-1250
// map, then toLatin2QueryForm. Throws std::overflow_error when more than
// 32767 characters reach toLatin2QueryForm.
std::string normaliseQuery(std::string_view text1);

// Gives š and ž (and the ISO-8859-2 capitals Š, Ž) the ISO-8859-2 codes of
// š and ž, lowers Ć, Č, Đ, and drops control characters and the punctuation
// 0x21-0x2F and 0x3A-0x3F. Throws std::overflow_error for an input of more
// than 32767 characters, which the 16-bit character count cannot hold.
std::string toLatin2QueryForm(std::string strIn);

}  // namespace lexoria
