#include "import/statute_folder.h"

#include "base/app_files.h"
#include "base/file_error.h"
#include "check/index_writer.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>

namespace lexoria {

namespace {

namespace fs = std::filesystem;

// What stands at dir may be replaced: nothing, an empty folder, or with
// replace a statute folder; never a file or a folder of something else.
void checkTarget(const fs::path& dir, bool replace)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(dir, error);
    if (status.type() == fs::file_type::not_found)
        return;
    if (status.type() != fs::file_type::directory)
        throw FileError(dir.string(), 0, "is no folder");
    if (fs::is_empty(dir, error))
        return;
    if (!replace)
        throw FileError(dir.string(), 0, "is not empty; give --force to replace the statute in it");
    if (!fs::exists(dir / appFiles::homePage, error) && !fs::exists(dir / appFiles::index, error))
        throw FileError(dir.string(), 0, "holds no statute (no index.html or Wlist.idx), so it is not replaced");
}

fs::path newSibling(const fs::path& dir)
{
    std::string pattern = (dir.parent_path() / ("." + dir.filename().string() + ".partial-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw FileError(dir.parent_path().string(), 0, "cannot make a folder here: " + systemReason());
    std::error_code error;  // a folder left 0700 still reads; its owner may widen it
    fs::permissions(pattern, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec, error);
    return pattern;
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw FileError(path.string(), 0, "cannot be written: " + systemReason());
}

// The new folder takes dir's place: a rename where there is none or an
// empty one, else an exchange of the two in one step, and the old one goes.
void putInPlace(const fs::path& fresh, const fs::path& dir)
{
    std::error_code error;
    const bool occupied = fs::exists(dir, error) && !fs::is_empty(dir, error);
    if (!occupied) {
        if (std::rename(fresh.c_str(), dir.c_str()) != 0)
            throw FileError(dir.string(), 0, "cannot be put in place: " + systemReason());
        return;
    }
    if (renameat2(AT_FDCWD, fresh.c_str(), AT_FDCWD, dir.c_str(), RENAME_EXCHANGE) != 0)
        throw FileError(dir.string(), 0, "cannot be replaced: " + systemReason());
    fs::remove_all(fresh, error);
}

}  // namespace

ProblemList writeStatuteFolder(const std::string& dir, const std::map<std::string, std::string>& files,
                               const std::vector<std::string>& pages, bool replace)
{
    ProblemList problems;
    fs::path target = fs::path(dir).lexically_normal();
    if (!target.has_filename())
        target = target.parent_path();
    if (target.is_relative() && !target.has_parent_path())
        target = "." / target;
    fs::path fresh;
    try {
        checkTarget(target, replace);
        fresh = newSibling(target);
        for (const auto& [name, bytes] : files)
            writeFile(fresh / name, bytes);
        problems = writeIndex(fresh.string() + "/", pages, false);
        if (problems.errorCount() == 0)
            putInPlace(fresh, target);
    } catch (const FileError& failure) {
        problems.error(failure);
    }
    std::error_code error;
    if (!fresh.empty() && problems.errorCount() > 0)
        fs::remove_all(fresh, error);
    return problems;
}

}  // namespace lexoria
