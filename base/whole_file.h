#pragma once

#include <string>

namespace lexoria {

// Reads a regular file whole, in one read of its size. Throws FileError
// naming the path when it is missing, unreadable or not a regular file.
std::string readWholeFile(const std::string& path);

}  // namespace lexoria
