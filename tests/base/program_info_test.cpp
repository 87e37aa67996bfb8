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
    const fs::path base = fs::canonical(scratch.path()), link = base / "copy/lexoria";
    fs::create_directory(base / "copy");
    fs::create_symlink("/proc/self/exe", link);
    for (const auto& [execPath, workingDirectory] : std::initializer_list<std::pair<std::string, fs::path>>{
             {"copy/lexoria", base}, {link, "/"}, {"./copy/../copy/lexoria", base}, {"lexoria", link.parent_path()}})
        EXPECT_EQ(startedProgramPath(execPath, workingDirectory), link.string()) << execPath << " in " << workingDirectory;
    // This test's own program was started by its real path.
    EXPECT_EQ(startedProgramPath(), fs::canonical("/proc/self/exe").string());
}

}  // namespace
