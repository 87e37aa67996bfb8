#include "base/program_info.h"

#include "base/version.h"

#include <filesystem>

ProgramInfo programInfoFromPath(std::string_view executablePath)
{
    const std::filesystem::path path(executablePath);
    return {path.parent_path().string(), path.stem().string()};
}

std::string versionText(std::string_view baseName)
{
    return std::string(baseName) + " " + std::to_string(lexoria::versionMajor) + "."
           + std::to_string(lexoria::versionMinor) + "." + std::to_string(lexoria::versionRevision);
}
