#pragma once

#include <string>
#include <string_view>

namespace lexoria {

// Replaces the file at path by bytes: they go to a new file beside it, which
// is then renamed over path, so a failure leaves the earlier file whole and
// never a half-written one. A symbolic link at path is replaced by a regular
// file, never followed. Throws FileError naming the path; no temporary file
// is left behind.
void replaceFile(const std::string& path, std::string_view bytes);

}  // namespace lexoria
