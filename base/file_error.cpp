#include "base/file_error.h"

namespace lexoria {

std::string fileMessage(const std::string& path, const std::string& what)
{
    return path + ": " + what;
}

std::string fileMessage(const std::string& path, int line, const std::string& what)
{
    return path + " line " + std::to_string(line) + ": " + what;
}

}  // namespace lexoria
