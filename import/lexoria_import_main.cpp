// lexoria-import ACT.xml DIR [--force]
// lexoria-import --title-language-file DIR
//
// Writes a statute folder at DIR from an Akoma Ntoso act: one page per
// article (per top-level unit where the act has no articles), the contents,
// the title page, "index.html", "Help.html", "Wlist.idx" and "slo.lng". DIR
// must not exist or be empty; --force replaces the statute folder in it whole.
// With --title-language-file it puts the title of DIR/index.html into the
// "strTitula" of DIR/slo.lng, for a statute packaged with the shipped texts.
//
// Exit status: 0 when the folder was written, 1 when the act or the folder
// is at fault (the message names the file and line), 2 for bad usage.

#include "base/app_files.h"
#include "base/file_error.h"
#include "base/whole_file.h"
#include "import/act_reader.h"
#include "import/language_title.h"
#include "import/page_plan.h"
#include "import/shipped_files.h"
#include "import/statute_files.h"
#include "import/statute_folder.h"
#include "search/document_table.h"

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int exitWritten = 0;
constexpr int exitProblems = 1;
constexpr int exitUsage = 2;

struct Invocation {
    bool titleOnly = false;
    bool force = false;
    std::vector<std::string> paths;
};

std::optional<Invocation> parseArguments(int argc, char* argv[])
{
    Invocation invocation;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--force")
            invocation.force = true;
        else if (argument == "--title-language-file" && i == 1)
            invocation.titleOnly = true;
        else if (argument.starts_with("--"))
            return std::nullopt;
        else
            invocation.paths.emplace_back(argument);
    }
    const std::size_t wanted = invocation.titleOnly ? 1 : 2;
    if (invocation.paths.size() != wanted || (invocation.titleOnly && invocation.force))
        return std::nullopt;
    return invocation;
}

lexoria::ProblemList import(const std::string& actPath, const std::string& dir, bool force)
{
    const lexoria::Act act = lexoria::readAct(lexoria::readWholeFile(actPath), actPath);
    const std::vector<lexoria::PagePlan> plans = lexoria::planPages(act.provisions, lexoria::maxPages);
    std::vector<std::string> pages;
    for (const lexoria::PagePlan& plan : plans)
        pages.push_back(plan.file);
    return lexoria::writeStatuteFolder(dir, lexoria::statuteFiles(act, plans, lexoria::shippedLanguageFile),
                                       pages, force);
}

}  // namespace

int main(int argc, char* argv[])
{
    const auto invocation = parseArguments(argc, argv);
    if (!invocation) {
        std::cerr << "usage: lexoria-import ACT.xml DIR [--force]\n"
                     "       lexoria-import --title-language-file DIR\n";
        return exitUsage;
    }
    const std::string& dir = invocation->paths.back();
    lexoria::ProblemList problems;
    try {
        problems = invocation->titleOnly ? lexoria::titleLanguageFile(dir)
                                         : import(invocation->paths.front(), dir, invocation->force);
    } catch (const lexoria::FileError& failure) {
        problems.error(failure);
    }
    problems.print(std::cout, "wrote " + dir + (invocation->titleOnly ? std::string("/") + lexoria::appFiles::languageFile : ""));
    return problems.errorCount() == 0 ? exitWritten : exitProblems;
}
