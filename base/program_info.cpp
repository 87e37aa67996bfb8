#include "base/program_info.h"

#include "base/version.h"

#include <sys/auxv.h>

namespace fs = std::filesystem;

ProgramInfo programInfoFromPath(std::string_view executablePath)
{
    const fs::path path(executablePath);
    return {path.parent_path().string(), path.stem().string()};
}

std::string startedProgramPath(std::string_view execPath, const fs::path& workingDirectory)
{
    const fs::path path = workingDirectory / fs::path(execPath);
    std::error_code error;
    fs::path folder = fs::canonical(path.parent_path(), error);
    if (error)
        folder = path.parent_path().lexically_normal();
    return (folder / path.filename()).string();
}

// Without the path given, or the working directory it is relative to, the
// program's own file is the best there is: a relative path would make the
// application directory "/".
std::string startedProgramPath()
{
    const auto* given = reinterpret_cast<const char*>(::getauxval(AT_EXECFN));
    std::error_code error;
    const fs::path workingDirectory = fs::current_path(error);
    if (given != nullptr && (!error || fs::path(given).is_absolute()))
        return startedProgramPath(given, workingDirectory);
    return fs::read_symlink("/proc/self/exe", error).string();
}

std::string versionText(std::string_view baseName)
{
    return std::string(baseName) + " " + std::to_string(lexoria::versionMajor) + "."
           + std::to_string(lexoria::versionMinor) + "." + std::to_string(lexoria::versionRevision);
}
