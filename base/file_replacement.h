#pragma once

#include <string>
#include <string_view>

namespace lexoria {

// Replaces the file at path by bytes: they go to a new file beside it (the
// path, ".partial-" and six random characters), which is then renamed over path
// and the folder synced, so a failure leaves the earlier file whole and never
// a half-written one. The new file keeps the replaced file's read and write
// bits, and no others (0644 when there was none). A symbolic link at path is replaced by a regular file,
// never followed. Temporary files that a killed writer left beside path are
// removed. Throws FileError naming the path; no temporary file of its own is
// left behind.
void replaceFile(const std::string& path, std::string_view bytes);

}  // namespace lexoria
