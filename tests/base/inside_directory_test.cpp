#include "base/inside_directory.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// Under a temporary root: the application directory "app" with a page, a
// folder and links, and beside it "app2" and a private file.
TEST(InsideDirectoryTest, OnlyFilesThatResolveBelowTheDirectoryLieInside)
{
    lexoria::testing::TempDir root;
    for (const char* file : {"app/index.html", "app/Skin/Normal/a.jpg", "app2/index.html", "secret"})
        root.write(file, "");
    const fs::path app = root.path() / "app";
    fs::create_symlink(root.path() / "secret", app / "out.html");
    fs::create_symlink(root.path(), app / "up");
    fs::create_symlink("index.html", app / "in.html");
    fs::create_symlink(app, root.path() / "applink");

    const struct { const char* name; fs::path path, directory; bool inside; } rows[]{
        {"a page", app / "index.html", app, true}, {"a page in a folder", app / "Skin/Normal/a.jpg", app, true},
        {"a page not yet written", app / "found.html", app, true}, {"a link to a page inside", app / "in.html", app, true},
        {"the directory given with a slash", app / "index.html", root.appPath() + "app/", true},
        {"through a link to the directory", root.path() / "applink/index.html", app, true},
        {"inside, given through a link to it", app / "index.html", root.path() / "applink", true},
        {"down and up again", app / "Skin/../index.html", app, true}, {"up and out", app / "../secret", app, false},
        {"up and out through a missing folder", app / "none/../../secret", app, false},
        {"the sibling whose name goes on", root.path() / "app2/index.html", app, false},
        {"a link that points outside", app / "out.html", app, false}, {"through a link to the folder above", app / "up/secret", app, false},
        {"the directory itself", app, app, false}, {"the root of the file system", "/", app, false},
        {"a relative path", "index.html", app, false}, {"a missing directory", app / "index.html", root.path() / "none", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(lexoria::liesInside(row.path, row.directory), row.inside) << row.name;
}

}  // namespace
