#include "search/page_locator.h"

#include "base/file_error.h"

#include <algorithm>
#include <system_error>

namespace lexoria {

namespace {

namespace fs = std::filesystem;

fs::path resolved(const std::string& path)
{
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    return error ? fs::path(path).lexically_normal() : canonical;
}

// A message is shown as a C string, which would end at the NUL.
std::string withNulShown(const std::string& name)
{
    std::string shown;
    for (char c : name) {
        if (c == '\0')
            shown += "\\0";
        else
            shown += c;
    }
    return shown;
}

}  // namespace

PageLocator::PageLocator(const std::string& strIndexFile, const std::string& strAppPath)
    : indexFile_(strIndexFile), appPath_(strAppPath), appDir_(resolved(strAppPath))
{
    if (appDir_.filename().empty())
        appDir_ = appDir_.parent_path();
}

PageLocator::Page PageLocator::locate(const std::string& strFile, int line) const
{
    // The file system would read the name only up to a NUL byte, and so
    // open another page than the one listed.
    if (strFile.find('\0') != std::string::npos)
        refuse(withNulShown(strFile), line, "holds a NUL byte");
    const fs::path name(strFile);
    if (name.is_absolute())
        refuse(strFile, line, "is an absolute path");
    for (const fs::path& part : name)
        if (part == "..")
            refuse(strFile, line, "steps out with \"..\"");
    Page page{appPath_ + strFile, false};
    const Walk walk = walkTo(name);
    if (!walk.throughLink) {
        page.missing = walk.missing;
        return page;
    }
    if (!isInside(resolved(page.path)))
        refuse(strFile, line, "leads outside the application directory");
    std::error_code error;
    page.missing = fs::status(page.path, error).type() == fs::file_type::not_found;
    return page;
}

// Without ".." steps only a symbolic link can lead out, so a name that
// passes through none needs no resolving: one lstat per step tells that,
// and whether the page is there.
PageLocator::Walk PageLocator::walkTo(const fs::path& name) const
{
    fs::path at = appPath_;
    for (const fs::path& part : name) {
        at /= part;
        std::error_code error;
        const fs::file_type type = fs::symlink_status(at, error).type();
        if (type == fs::file_type::symlink)
            return {true, false};
        if (type == fs::file_type::not_found)
            return {false, true};
    }
    return {false, false};
}

bool PageLocator::isInside(const fs::path& path) const
{
    return std::mismatch(appDir_.begin(), appDir_.end(), path.begin(), path.end()).first == appDir_.end();
}

void PageLocator::refuse(const std::string& strFile, int line, const std::string& why) const
{
    throw FileError(indexFile_, line, "the page file name \"" + strFile + "\" " + why);
}

}  // namespace lexoria
