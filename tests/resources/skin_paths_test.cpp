#include "resources/skin_paths.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct PictureCase {
    int index;
    const char* normal;
    const char* lit;  // empty for the lamps
};

const PictureCase pictureCases[] = {
    {0, "/app/Skin/Normal/back.jpg", "/app/Skin/ON/back.jpg"},
    {1, "/app/Skin/Normal/forward.jpg", "/app/Skin/ON/forward.jpg"},
    {2, "/app/Skin/Normal/home.jpg", "/app/Skin/ON/home.jpg"},
    {3, "/app/Skin/Normal/find.jpg", "/app/Skin/ON/find.jpg"},
    {4, "/app/Skin/green.jpg", ""},
    {5, "/app/Skin/red.jpg", ""},
    {6, "/app/Skin/Normal/minimize.jpg", "/app/Skin/ON/minimize.jpg"},
    {7, "/app/Skin/Normal/close.jpg", "/app/Skin/ON/close.jpg"},
    {8, "/app/Skin/Normal/OK.gif", "/app/Skin/ON/OK.gif"},
    {9, "/app/Skin/Normal/cancel.gif", "/app/Skin/ON/cancel.gif"},
    {10, "/app/Skin/Normal/help.jpg", "/app/Skin/ON/help.jpg"},
    {11, "/app/Skin/Normal/print.jpg", "/app/Skin/ON/print.jpg"},
    {12, "/app/Skin/Normal/copy.jpg", "/app/Skin/ON/copy.jpg"},
};

TEST(SkinPaths, NamesEveryPictureOfTheSkin)
{
    lexoria::SkinPaths paths = lexoria::skinPaths("/app/", "Skin");
    EXPECT_EQ(paths.strSkinPath, "/app/Skin/");
    EXPECT_EQ(paths.strSkinNormalPath, "/app/Skin/Normal/");
    EXPECT_EQ(paths.strSkinOnPath, "/app/Skin/ON/");
    EXPECT_EQ(lexoria::stripPicturePath(paths), "/app/Skin/menuSTripe.jpg");
    EXPECT_EQ(lexoria::iconPath(paths), "/app/Skin/app.ico");
    for (const PictureCase& c : pictureCases) {
        EXPECT_EQ(paths.strButtonPicture[static_cast<std::size_t>(c.index)], c.normal) << c.index;
        EXPECT_EQ(lexoria::litPicturePath(paths.strSkinOnPath, c.index), c.lit) << c.index;
    }
    for (std::size_t slot = 13; slot < paths.strButtonPicture.size(); ++slot)
        EXPECT_EQ(paths.strButtonPicture[slot], "") << slot;
    EXPECT_THROW(lexoria::litPicturePath(paths.strSkinOnPath, 13), std::out_of_range);
    EXPECT_THROW(lexoria::litPicturePath(paths.strSkinOnPath, -1), std::out_of_range);
}

}  // namespace
