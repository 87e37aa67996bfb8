#include "search/results_file.h"

#include "base/whole_file.h"
#include "tests/support/file_error_matcher.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using lexoria::testing::TempDir;
using lexoria::testing::throwsFileError;

// Names in the folder, so a test can tell that no temporary file stayed.
std::vector<std::string> namesIn(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteResultsFileTest, ReplacesTheEarlierResultsWhole)
{
    TempDir app;
    const std::string path = app.appPath() + "found.html";
    app.write("found.html", "an earlier and much longer results page");
    lexoria::writeResultsFile(path, "<b>x</b>\r\n");
    EXPECT_EQ(lexoria::readWholeFile(path), "<b>x</b>\r\n");
    EXPECT_EQ(namesIn(app.path()), std::vector<std::string>{"found.html"});
    const auto permissions = fs::status(path).permissions();
    EXPECT_NE(permissions & fs::perms::others_read, fs::perms::none);
}

TEST(WriteResultsFileTest, ReplacesASymbolicLinkInsteadOfFollowingIt)
{
    TempDir app;
    TempDir outside;
    outside.write("victim", "untouched");
    fs::create_symlink(outside.path() / "victim", app.path() / "found.html");
    lexoria::writeResultsFile(app.appPath() + "found.html", "new");
    EXPECT_FALSE(fs::is_symlink(app.path() / "found.html"));
    EXPECT_EQ(lexoria::readWholeFile(app.appPath() + "found.html"), "new");
    EXPECT_EQ(lexoria::readWholeFile((outside.path() / "victim").string()), "untouched");
}

// Lets files of the process grow to at most `bytes`, as a full disc would,
// for as long as it lives. Tests run as root, where permissions stop nothing.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, savedHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*savedHandler_)(int);
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
    EXPECT_EQ(namesIn(app.path()), std::vector<std::string>{"found.html"});
}

TEST(WriteResultsFileTest, AnUnwritablePathIsNamedAndLeavesNothingBehind)
{
    TempDir app;
    fs::create_directory(app.path() / "found.html");
    for (const char* target : {"none/found.html", "found.html"}) {
        SCOPED_TRACE(target);
        const std::string path = app.appPath() + target;
        EXPECT_THAT([&] { lexoria::writeResultsFile(path, "bytes"); }, throwsFileError(HasSubstr(path)));
        EXPECT_EQ(namesIn(app.path()), std::vector<std::string>{"found.html"});
    }
}

}  // namespace
