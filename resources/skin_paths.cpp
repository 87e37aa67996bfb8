#include "resources/skin_paths.h"

#include "resources/button_count.h"

#include <stdexcept>

namespace lexoria {

namespace {

enum class Folder { normal, root };

struct ButtonPicture {
    Folder folder;
    const char* name;
};

// By picture-button index. Only the lamps take their picture from the skin
// root, and only they have no lit picture.
constexpr std::array<ButtonPicture, buttonCount> buttonPictures{{
    {Folder::normal, "back.jpg"},
    {Folder::normal, "forward.jpg"},
    {Folder::normal, "home.jpg"},
    {Folder::normal, "find.jpg"},
    {Folder::root, "green.jpg"},
    {Folder::root, "red.jpg"},
    {Folder::normal, "minimize.jpg"},
    {Folder::normal, "close.jpg"},
    {Folder::normal, "OK.gif"},
    {Folder::normal, "cancel.gif"},
    {Folder::normal, "help.jpg"},
    {Folder::normal, "print.jpg"},
    {Folder::normal, "copy.jpg"},
}};

const ButtonPicture& buttonPicture(int index)
{
    if (index < 0 || index >= static_cast<int>(buttonPictures.size()))
        throw std::out_of_range("picture button " + std::to_string(index)
                                + " does not exist (0..12)");
    return buttonPictures[static_cast<std::size_t>(index)];
}

}  // namespace

SkinPaths skinPaths(const std::string& strAppPath, const std::string& skinName)
{
    SkinPaths paths;
    paths.strSkinPath = strAppPath + skinName + "/";
    paths.strSkinNormalPath = paths.strSkinPath + "Normal" + "/";
    paths.strSkinOnPath = paths.strSkinPath + "ON" + "/";
    for (std::size_t i = 0; i < buttonPictures.size(); ++i) {
        const ButtonPicture& picture = buttonPictures[i];
        const std::string& folder =
            picture.folder == Folder::root ? paths.strSkinPath : paths.strSkinNormalPath;
        paths.strButtonPicture[i] = folder + picture.name;
    }
    return paths;
}

std::string stripPicturePath(const SkinPaths& paths)
{
    return paths.strSkinPath + "menuSTripe.jpg";
}

std::string iconPath(const SkinPaths& paths)
{
    return paths.strSkinPath + "app.ico";
}

std::string litPicturePath(const std::string& strSkinOnPath, int index)
{
    const ButtonPicture& picture = buttonPicture(index);
    if (picture.folder == Folder::root)
        return {};
    return strSkinOnPath + picture.name;
}

}  // namespace lexoria
