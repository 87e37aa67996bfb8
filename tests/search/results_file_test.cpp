#include "search/results_file.h"

#include "base/whole_file.h"
#include "tests/support/file_error_matcher.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
TEST(WriteResultsFileTest, ReplacesTheEarlierResultsOrLinkWholeAndReadableByAll)
{
    TempDir app;
    TempDir outside;
    const std::string path = app.appPath() + "found.html";
    app.write("found.html", "an earlier and much longer results page");
    lexoria::writeResultsFile(path, "<b>x</b>\r\n");
    EXPECT_EQ(lexoria::readWholeFile(path), "<b>x</b>\r\n");
    EXPECT_EQ(namesIn(app.path()), onlyFound);
    EXPECT_NE(fs::status(path).permissions() & fs::perms::others_read, fs::perms::none);

    outside.write("victim", "untouched");
    fs::remove(path);
    fs::create_symlink(outside.path() / "victim", path);
    lexoria::writeResultsFile(path, "new");
    EXPECT_FALSE(fs::is_symlink(path));
    EXPECT_EQ(lexoria::readWholeFile(path), "new");
    EXPECT_EQ(lexoria::readWholeFile((outside.path() / "victim").string()), "untouched");
}

// Lets files of the process grow to at most `bytes`, as a full disc would,
// while it lives. Tests run as root, where permissions stop nothing.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : savedHandler_(std::signal(SIGXFSZ, SIG_IGN))  // the write fails instead
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }

private:
    void (*savedHandler_)(int);
    rlimit saved_{};
};

TEST(WriteResultsFileTest, AWriteCutShortLeavesTheEarlierResultsWhole)
{
    TempDir app;
    const std::string path = app.appPath() + "found.html";
    app.write("found.html", "earlier\r\n");
    {
        FileSizeLimit limit(4);
        EXPECT_THAT([&] { lexoria::writeResultsFile(path, "a results page longer than four bytes\r\n"); },
                    throwsFileError(HasSubstr(path + ": cannot write")));
    }
    EXPECT_EQ(lexoria::readWholeFile(path), "earlier\r\n");
    EXPECT_EQ(namesIn(app.path()), onlyFound);
}

TEST(WriteResultsFileTest, AnUnwritablePathIsNamedAndLeavesNothingBehind)
{
    TempDir app;
    fs::create_directory(app.path() / "found.html");
    for (const char* target : {"none/found.html", "found.html"}) {
        SCOPED_TRACE(target);
        const std::string path = app.appPath() + target;
        EXPECT_THAT([&] { lexoria::writeResultsFile(path, "bytes"); }, throwsFileError(HasSubstr(path)));
        EXPECT_EQ(namesIn(app.path()), onlyFound);
    }
}

}  // namespace
