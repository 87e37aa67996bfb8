#pragma once

#include <stdexcept>
#include <string>

namespace lexoria {

// A file the reader needs is missing or malformed. The message names the
// file, and the line where there is one, so the user can mend it.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "path: what" or "path line N: what".
std::string fileMessage(const std::string& path, const std::string& what);
std::string fileMessage(const std::string& path, int line, const std::string& what);

}  // namespace lexoria
