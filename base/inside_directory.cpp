#include "base/inside_directory.h"

#include <algorithm>
#include <system_error>

namespace lexoria {

bool liesInside(const std::filesystem::path& path, const std::filesystem::path& directory)
{
    // Relative paths would resolve against whatever the working directory
    // is: only absolute ones name a file for certain.
    if (!path.is_absolute() || !directory.is_absolute())
        return false;
    std::error_code failed;
    const std::filesystem::path file = std::filesystem::weakly_canonical(path, failed);
    if (failed)
        return false;
    const std::filesystem::path root = std::filesystem::canonical(directory, failed);
    if (failed)
        return false;
    // Compared element by element, so that "/app2/x" is not taken for a file
    // of "/app". A canonical path has no empty or "." element left.
    const auto [rootEnd, fileAt] = std::mismatch(root.begin(), root.end(), file.begin(), file.end());
    return rootEnd == root.end() && fileAt != file.end();
}

}  // namespace lexoria
