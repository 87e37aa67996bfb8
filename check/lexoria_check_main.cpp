// lexoria-check APPDIR
// lexoria-check --write-index [--force] APPDIR [PAGES...]
//
// Checks the statute in APPDIR the way the reader will read it and lists
// every problem as "file:line: what is wrong", then a line that counts them.
// With --write-index it writes APPDIR/Wlist.idx for PAGES (default: every
// "*.html" page but "index.html", "Help.html" and "found.html", in name
// order), each titled by its <title>; --force replaces an existing index.
//
// Exit status: 0 when the reader will start and search correctly (or the
// index was written), 1 when there are problems, 2 for bad usage or an
// APPDIR that is no folder.

#include "base/app_files.h"
#include "check/index_writer.h"
#include "check/statute_check.h"

#include <filesystem>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int exitSound = 0;
constexpr int exitProblems = 1;
constexpr int exitUsage = 2;

struct Invocation {
    bool writeIndex = false;
    bool force = false;
    std::string appPath;  // ends with "/"
    std::vector<std::string> pages;
};

std::optional<Invocation> parseArguments(std::span<char*> args)
{
    Invocation invocation;
    auto takeOption = [&](std::string_view option) {
        const bool given = !args.empty() && args.front() == option;
        if (given)
            args = args.subspan(1);
        return given;
    };
    invocation.writeIndex = takeOption("--write-index");
    invocation.force = invocation.writeIndex && takeOption("--force");
    if (args.empty() || std::string_view(args.front()).starts_with("--"))
        return std::nullopt;
    if (!invocation.writeIndex && args.size() != 1)
        return std::nullopt;
    invocation.appPath = args.front();
    if (!invocation.appPath.ends_with('/'))
        invocation.appPath += '/';
    invocation.pages.assign(args.begin() + 1, args.end());
    return invocation;
}

}  // namespace

int main(int argc, char* argv[])
{
    const auto invocation = parseArguments(std::span<char*>(argv + 1, argv + argc));
    if (!invocation) {
        std::cerr << "usage: lexoria-check APPDIR\n"
                     "       lexoria-check --write-index [--force] APPDIR [PAGES...]\n";
        return exitUsage;
    }
    std::error_code error;
    if (!std::filesystem::is_directory(invocation->appPath, error)) {
        std::cerr << "lexoria-check: " << invocation->appPath << " is no folder\n";
        return exitUsage;
    }
    const lexoria::ProblemList problems =
        invocation->writeIndex ? lexoria::writeIndex(invocation->appPath, invocation->pages, invocation->force)
                               : lexoria::checkStatute(invocation->appPath);
    problems.print(std::cout, invocation->writeIndex ? "wrote " + invocation->appPath + lexoria::appFiles::index
                                                     : "the reader will start and search correctly");
    return problems.errorCount() == 0 ? exitSound : exitProblems;
}
