#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Where the program lives and what it is called; main() takes it from the
// executable, tests give their own.
struct ProgramInfo {
    std::string directory;  // the application directory, without a trailing "/"
    std::string baseName;   // the executable's file name without its extension
};

ProgramInfo programInfoFromPath(std::string_view executablePath);

// The path the program was started by, as given to execve. Each user's copy
// of an installed reader holds a symbolic link to the installed program, and
// the copy is the application directory: the kernel, /proc/self/exe and Qt
// name the installed file the link leads to, the path given names the link.
// A relative path is taken against the working directory; the folder is made
// canonical, the file name is kept as given and never followed.
std::string startedProgramPath();
std::string startedProgramPath(std::string_view execPath, const std::filesystem::path& workingDirectory);

// "<base name> <major>.<minor>.<revision>", the numbers in plain decimal.
std::string versionText(std::string_view baseName);
