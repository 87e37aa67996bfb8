// Puts the skin's pictures into the window: background strip, icon and the
// normal picture of every picture button.
#include "window/form1.h"

#include "window/picture_file.h"
#include "resources/skin_paths.h"
#include "window/picture_element.h"

#include <stdexcept>

void Form1::loadSkin(const std::string& name)
{
    lexoria::SkinPaths paths = lexoria::skinPaths(strAppPath, name);
    strSkinPath = paths.strSkinPath;
    strSkinNormalPath = paths.strSkinNormalPath;
    strSkinOnPath = paths.strSkinOnPath;
    setBackgroundPicture(lexoria::readPicture(lexoria::stripPicturePath(paths)));
    setWindowIcon(lexoria::readIcon(lexoria::iconPath(paths)));
    strButtonPicture = paths.strButtonPicture;
    for (std::int16_t index = 0; index < buttonCount; ++index)
        loadButtonPicture(index);
}

// Reads the file every time: the hover logic relies on it to put a lit
// button back, and a skin changed on disk shows at once.
void Form1::loadButtonPicture(std::int16_t index)
{
    bool isButton = index >= 0 && index < buttonCount && Image1[static_cast<std::size_t>(index)];
    if (!isButton)
        throw std::out_of_range("there is no picture button " + std::to_string(index));
    Image1[static_cast<std::size_t>(index)]->setPicture(
        lexoria::readPicture(strButtonPicture[static_cast<std::size_t>(index)]));
}
