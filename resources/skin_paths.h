#pragma once

#include <array>
#include <string>

namespace lexoria {

// Where a skin's pictures lie. Folders end with "/".
struct SkinPaths {
    std::string strSkinPath, strSkinNormalPath, strSkinOnPath;
    // Normal picture of picture button i for i = 0..12; the other slots stay
    // empty, as the window's field of 33 slots expects.
    std::array<std::string, 33> strButtonPicture;
};

// The paths of the skin folder skinName inside strAppPath (which ends with "/").
SkinPaths skinPaths(const std::string& strAppPath, const std::string& skinName);

// The window's background strip and icon in the skin root.
std::string stripPicturePath(const SkinPaths& paths);
std::string iconPath(const SkinPaths& paths);

// The lit picture of picture button index (0..12): the "ON" folder
// strSkinOnPath with the normal picture's file name. The two lamps never
// light: empty for them. Throws std::out_of_range for an index that names no
// picture button.
std::string litPicturePath(const std::string& strSkinOnPath, int index);

}  // namespace lexoria
