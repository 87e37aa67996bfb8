#include "check/skin_check.h"

#include "base/app_files.h"
#include "resources/button_count.h"
#include "resources/picture_end.h"
#include "resources/skin_paths.h"

#include <string_view>
#include <vector>

namespace lexoria {

namespace {

struct Format {
    std::string_view name;  // as the reader's picture reader names it
    std::string_view label;
    std::string_view signature;
};

// The pictures the reader reads, told by their first bytes as it tells them.
constexpr Format formats[] = {
    {"jpeg", "JPEG", "\xFF\xD8\xFF"}, {"gif", "GIF", "GIF87a"}, {"gif", "GIF", "GIF89a"},
    {"bmp", "BMP", "BM"}, {"ico", "ICO", std::string_view("\0\0\1\0", 4)},
};

std::vector<std::string> skinPictures(const std::string& appPath)
{
    const SkinPaths paths = skinPaths(appPath, appFiles::skinFolder);
    std::vector<std::string> pictures{stripPicturePath(paths), iconPath(paths)};
    for (int index = 0; index < buttonCount; ++index) {
        pictures.push_back(paths.strButtonPicture[static_cast<std::size_t>(index)]);
        if (std::string lit = litPicturePath(paths.strSkinOnPath, index); !lit.empty())
            pictures.push_back(lit);
    }
    return pictures;
}

void checkPicture(const std::string& path, std::string_view bytes, ProblemList& problems)
{
    if (bytes.empty()) {
        problems.error(path, "is empty, not a picture");
        return;
    }
    for (const Format& format : formats) {
        if (!bytes.starts_with(format.signature))
            continue;
        if (isCutShort(format.name, bytes))
            problems.error(path, "is no readable picture: the " + std::string(format.label) + " data ends early");
        return;
    }
    problems.error(path, "is no JPEG, GIF, BMP or ICO picture");
}

}  // namespace

void checkSkin(const std::string& appPath, ProblemList& problems)
{
    for (const std::string& path : skinPictures(appPath))
        if (const auto bytes = readOrReport(path, problems))
            checkPicture(path, *bytes, problems);
}

}  // namespace lexoria
