#pragma once

#include <string>
#include <string_view>

// Where the program lives and what it is called; main() takes it from the
// executable, tests give their own.
struct ProgramInfo {
    std::string directory;  // the application directory, without a trailing "/"
    std::string baseName;   // the executable's file name without its extension
};

ProgramInfo programInfoFromPath(std::string_view executablePath);

// "<base name> <major>.<minor>.<revision>", the numbers in plain decimal.
std::string versionText(std::string_view baseName);
