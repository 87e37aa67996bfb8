#include "base/file_replacement.h"

#include "base/file_error.h"
#include "base/whole_file.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <set>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::ThrowsMessage;
using Names = std::set<std::string>;

// Names in the folder, so a test can tell that no temporary file stayed.
Names namesIn(const fs::path& dir)
{
    Names names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

class FileReplacementTest : public ::testing::Test {
protected:
    lexoria::testing::TempDir app;
    const std::string found = app.appPath() + "found.html";
};

// A symbolic link in the way is replaced, not followed.
TEST_F(FileReplacementTest, ReplacesTheEarlierResultsOrLinkWholeAndReadableByAll)
{
    app.write("found.html", "an earlier and much longer results page");
    lexoria::replaceFile(found, "<b>x</b>\r\n");
    EXPECT_EQ(lexoria::readWholeFile(found), "<b>x</b>\r\n");
    EXPECT_EQ(namesIn(app.path()), Names{"found.html"});
    EXPECT_NE(fs::status(found).permissions() & fs::perms::others_read, fs::perms::none);

    const lexoria::testing::TempDir outside;
    outside.write("victim", "untouched");
    fs::remove(found);
    fs::create_symlink(outside.path() / "victim", found);
    lexoria::replaceFile(found, "new");
    EXPECT_FALSE(fs::is_symlink(found));
    EXPECT_EQ(lexoria::readWholeFile(found), "new");
    EXPECT_EQ(lexoria::readWholeFile(outside.appPath() + "victim"), "untouched");
}

// A file kept private or shared on purpose stays so; what a killed writer
// left beside the file goes once it is older than any write, and nothing
// else does.
TEST_F(FileReplacementTest, KeepsTheReplacedFilesModeAndRemovesOnlyAbandonedTemporaries)
{
    const std::string index = app.appPath() + "Wlist.idx";
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    app.write("Wlist.idx", "old");
    fs::permissions(index, mode);
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    for (const char* name : {"Wlist.idx.partial-Ab3xZ9", "Wlist.idx.partial-fresh1", "Wlist.idx.backup", "found.html.partial-Ab3xZ9"}) {
        app.write(name, "left");
        if (std::string(name) != "Wlist.idx.partial-fresh1")
            fs::last_write_time(app.path() / name, old);
    }
    lexoria::replaceFile(index, "new");
    EXPECT_EQ(lexoria::readWholeFile(index), "new");
    EXPECT_EQ(fs::status(index).permissions(), mode);
    EXPECT_EQ(namesIn(app.path()), (Names{"Wlist.idx", "Wlist.idx.partial-fresh1", "Wlist.idx.backup", "found.html.partial-Ab3xZ9"}));
}

// A full disc is a file size limit here (tests run as root, where
// permissions stop nothing); a missing folder or a folder in the way fail
// at once. Each failure names the path and leaves only the earlier results.
TEST_F(FileReplacementTest, AFailedWriteIsNamedAndLeavesTheEarlierResultsWhole)
{
    app.write("found.html", "earlier\r\n");
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit saved = limit;
    limit.rlim_cur = 4;
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead
    ::setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_THAT([&] { lexoria::replaceFile(found, "a results page longer than four bytes\r\n"); },
                ThrowsMessage<lexoria::FileError>(HasSubstr(found + ": cannot write")));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);
    EXPECT_EQ(lexoria::readWholeFile(found), "earlier\r\n");
    EXPECT_EQ(namesIn(app.path()), Names{"found.html"});

    app.write("sub/found.html", "earlier");
    for (const std::string& path : {app.appPath() + "none/found.html", app.appPath() + "sub"}) {
        SCOPED_TRACE(path);
        EXPECT_THAT([&] { lexoria::replaceFile(path, "bytes"); }, ThrowsMessage<lexoria::FileError>(HasSubstr(path)));
        EXPECT_EQ(namesIn(app.path()), (Names{"found.html", "sub"}));
        EXPECT_EQ(namesIn(app.path() / "sub"), Names{"found.html"});
    }
}

}  // namespace
