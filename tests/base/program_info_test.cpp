#include "base/program_info.h"

#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// A user's copy holds a link to the installed program: the copy is the
// program's folder, whichever way the path given to execve names it.
TEST(StartedProgramPathTest, NamesTheLinkStartedInItsCanonicalFolderNeverWhatItLeadsTo)
{
    const lexoria::testing::TempDir scratch;
    const fs::path base = fs::canonical(scratch.path());
    fs::create_directory(base / "copy");
    fs::create_symlink("/usr/lib/lexoria/lexoria", base / "copy/lexoria");
    fs::create_directory_symlink("copy", base / "alias");
    const std::string expected = (base / "copy/lexoria").string();
    const struct {
        std::string execPath;
        fs::path workingDirectory;
    } rows[] = {
        {"copy/lexoria", base},
        {expected, "/"},
        {"./copy/../copy/lexoria", base},
        {"alias/lexoria", base},
        {"lexoria", base / "copy"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.execPath + " in " + row.workingDirectory.string());
        EXPECT_EQ(startedProgramPath(row.execPath, row.workingDirectory), expected);
    }
    // This test's own program was started by its real path.
    EXPECT_EQ(startedProgramPath(), fs::canonical("/proc/self/exe").string());
}

}  // namespace
