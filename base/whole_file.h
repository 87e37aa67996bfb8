#pragma once

#include <string>

namespace lexoria {

// Reads a regular file whole, in one read of its size. Throws FileError
// naming the path when it is missing, unreadable, not a regular file (a
// folder, a pipe, a device: never waited on) or larger than 1 GiB.
std::string readWholeFile(const std::string& path);

// The same into `bytes`, reusing its storage: read page after page into one
// string, each byte is written once, where a new string is zero-filled
// before the read overwrites it.
void readWholeFile(const std::string& path, std::string& bytes);

}  // namespace lexoria
