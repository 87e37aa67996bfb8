#include "base/file_error.h"

#include <cerrno>
#include <cstring>

namespace lexoria {

FileError::FileError(const std::string& path, int line, const std::string& what)
    : std::runtime_error(line > 0 ? fileMessage(path, line, what) : fileMessage(path, what)),
      path_(path), line_(line), problem_(what)
{
}

std::string systemReason()
{
    return std::strerror(errno);
}

std::string fileMessage(const std::string& path, const std::string& what)
{
    return path + ": " + what;
}

std::string fileMessage(const std::string& path, int line, const std::string& what)
{
    return path + " line " + std::to_string(line) + ": " + what;
}

}  // namespace lexoria
