#include "base/file_replacement.h"

#include "base/whole_file.h"
#include "tests/support/file_error_matcher.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <sys/resource.h>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using lexoria::testing::TempDir;
using lexoria::testing::throwsFileError;

// Names in the folder, so a test can tell that no temporary file stayed.
std::set<std::string> namesIn(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

const std::set<std::string> onlyFound = {"found.html"};

// A symbolic link in the way is replaced, not followed.
TEST(FileReplacementTest, ReplacesTheEarlierResultsOrLinkWholeAndReadableByAll)
{
    TempDir app;
    TempDir outside;
    const std::string path = app.appPath() + "found.html";
    app.write("found.html", "an earlier and much longer results page");
    lexoria::replaceFile(path, "<b>x</b>\r\n");
    EXPECT_EQ(lexoria::readWholeFile(path), "<b>x</b>\r\n");
    EXPECT_EQ(namesIn(app.path()), onlyFound);
    EXPECT_NE(fs::status(path).permissions() & fs::perms::others_read, fs::perms::none);

    outside.write("victim", "untouched");
    fs::remove(path);
    fs::create_symlink(outside.path() / "victim", path);
    lexoria::replaceFile(path, "new");
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(lexoria::readWholeFile(path), "new");
    EXPECT_EQ(lexoria::readWholeFile((outside.path() / "victim").string()), "untouched");
}

// A file kept private or shared on purpose stays so; what a killed writer
// left beside the file goes once it is older than any write, and nothing
// else does.
TEST(FileReplacementTest, KeepsTheReplacedFilesModeAndRemovesOnlyAbandonedTemporaries)
{
    TempDir app;
    const std::string path = app.appPath() + "Wlist.idx";
    app.write("Wlist.idx", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"Wlist.idx.partial-Ab3xZ9", "Wlist.idx.partial-fresh1", "Wlist.idx.backup", "found.html.partial-Ab3xZ9"}) {
        app.write(name, "left");
        if (std::string(name) != "Wlist.idx.partial-fresh1")
            fs::last_write_time(app.path() / name, old);
    }
    lexoria::replaceFile(path, "new");
    EXPECT_EQ(lexoria::readWholeFile(path), "new");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(namesIn(app.path()),
              (std::set<std::string>{"Wlist.idx", "Wlist.idx.partial-fresh1", "Wlist.idx.backup", "found.html.partial-Ab3xZ9"}));
}

// A full disc is a file size limit here (tests run as root, where
// permissions stop nothing); a missing folder or a folder in the way fail
// at once. Each failure names the path and leaves only the earlier results.
TEST(FileReplacementTest, AFailedWriteIsNamedAndLeavesTheEarlierResultsWhole)
{
    TempDir app;
    const std::string found = app.appPath() + "found.html";
    app.write("found.html", "earlier\r\n");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4;
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THAT([&] { lexoria::replaceFile(found, "a results page longer than four bytes\r\n"); },
                throwsFileError(HasSubstr(found + ": cannot write")));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_EQ(lexoria::readWholeFile(found), "earlier\r\n");
    EXPECT_EQ(namesIn(app.path()), onlyFound);

    fs::create_directory(app.path() / "sub");
    app.write("sub/found.html", "earlier");
    for (const std::string& path : {app.appPath() + "none/found.html", app.appPath() + "sub"}) {
        SCOPED_TRACE(path);
        EXPECT_THAT([&] { lexoria::replaceFile(path, "bytes"); }, throwsFileError(HasSubstr(path)));
        EXPECT_EQ(namesIn(app.path()), (std::set<std::string>{"found.html", "sub"}));
        EXPECT_EQ(namesIn(app.path() / "sub"), onlyFound);
    }
}

}  // namespace
