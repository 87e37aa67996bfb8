#include "resources/skin_paths.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(SkinPaths, NamesEveryPictureOfTheSkin)
{
    const lexoria::SkinPaths paths = lexoria::skinPaths("/app/", "Skin");
    EXPECT_EQ(paths.strSkinPath, "/app/Skin/");
    EXPECT_EQ(paths.strSkinNormalPath, "/app/Skin/Normal/");
    EXPECT_EQ(paths.strSkinOnPath, "/app/Skin/ON/");
    EXPECT_EQ(lexoria::stripPicturePath(paths), "/app/Skin/menuSTripe.jpg");
    EXPECT_EQ(lexoria::iconPath(paths), "/app/Skin/app.ico");
    // Each picture button's normal and lit picture in /app/Skin/; the lamps 4 and 5 never light.
    const std::string pictures[13][2] = {
        {"Normal/back.jpg", "ON/back.jpg"}, {"Normal/forward.jpg", "ON/forward.jpg"}, {"Normal/home.jpg", "ON/home.jpg"},
        {"Normal/find.jpg", "ON/find.jpg"}, {"green.jpg", ""}, {"red.jpg", ""},
        {"Normal/minimize.jpg", "ON/minimize.jpg"}, {"Normal/close.jpg", "ON/close.jpg"}, {"Normal/OK.gif", "ON/OK.gif"},
        {"Normal/cancel.gif", "ON/cancel.gif"}, {"Normal/help.jpg", "ON/help.jpg"}, {"Normal/print.jpg", "ON/print.jpg"},
        {"Normal/copy.jpg", "ON/copy.jpg"}};
    for (std::size_t i = 0; i < paths.strButtonPicture.size(); ++i)
        EXPECT_EQ(paths.strButtonPicture[i], i < 13 ? "/app/Skin/" + pictures[i][0] : "") << i;
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(lexoria::litPicturePath(paths.strSkinOnPath, i), pictures[i][1].empty() ? "" : "/app/Skin/" + pictures[i][1]) << i;
    EXPECT_THROW(lexoria::litPicturePath(paths.strSkinOnPath, 13), std::out_of_range);
    EXPECT_THROW(lexoria::litPicturePath(paths.strSkinOnPath, -1), std::out_of_range);
}
