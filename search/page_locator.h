#pragma once

#include <filesystem>
#include <string>

namespace lexoria {

// Where the pages that the index names lie. The index may only name pages
// inside the application directory: an absolute name, a ".." step or a
// symbolic link leading out of it is refused, so a tampered index cannot
// make the search read other files.
class PageLocator {
public:
    // Both strings must outlive the locator; strAppPath ends with "/".
    PageLocator(const std::string& strIndexFile, const std::string& strAppPath);

    struct Page {
        std::string path;
        bool missing;
    };

    // The page named strFile in line `line` of the index. Throws FileError
    // naming the index and the line when the name is refused.
    Page locate(const std::string& strFile, int line) const;

private:
    struct Walk {
        bool throughLink;
        bool missing;
    };

    Walk walkTo(const std::filesystem::path& name) const;
    bool isInside(const std::filesystem::path& path) const;
    [[noreturn]] void refuse(const std::string& strFile, int line, const std::string& why) const;

    const std::string& indexFile_;
    const std::string& appPath_;
    std::filesystem::path appDir_;
};

}  // namespace lexoria
