#pragma once

#include <filesystem>

namespace lexoria {

// Whether the file at `path` lies inside `directory`, below it at any depth,
// once both are resolved: symbolic links followed, "." and ".." taken out.
// A path that runs out of the directory through a link or "..", or names a
// sibling whose name only begins with the directory's ("<dir>2"), lies
// outside; so does the directory itself, which is no file of it. A file
// need not exist to lie inside (the part that exists is resolved).
bool liesInside(const std::filesystem::path& path, const std::filesystem::path& directory);

}  // namespace lexoria
