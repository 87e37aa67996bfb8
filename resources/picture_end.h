#pragma once

#include <string_view>

namespace lexoria {

// Whether a JPEG, GIF, BMP or ICO file stops before the end its own data
// announces. Qt reads such a file without complaint and fills the missing
// part with grey or black, so a damaged skin picture would pass unnoticed.
// Bytes after a picture's own end (a JPEG's end-of-image marker, a GIF's
// trailer), as many writers leave them, are no harm. Other formats are taken
// as whole. format is Qt's name: "jpeg", "gif"...
bool isCutShort(std::string_view format, std::string_view bytes);

}  // namespace lexoria
