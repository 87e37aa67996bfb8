#include "check/index_writer.h"

#include "base/app_files.h"
#include "base/file_error.h"
#include "base/file_replacement.h"
#include "check/frame_pages.h"
#include "check/index_check.h"
#include "check/page_title.h"
#include "check/unlisted_pages.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace lexoria {

namespace {

namespace fs = std::filesystem;

// The pages of the folder that the search should find: not the reader's
// own pages, nor those that the frames of "index.html" show beside the
// pages, such as the contents.
std::vector<std::string> defaultPages(const std::string& appPath, ProblemList& problems)
{
    std::set<std::string> skipped = readersOwnPages();
    std::error_code error;
    if (fs::exists(appPath + appFiles::homePage, error))
        if (const auto home = readOrReport(appPath + appFiles::homePage, problems))
            skipped.merge(framesOf(*home).pages);
    std::vector<std::string> pages;
    for (const fs::directory_entry& entry : fs::directory_iterator(appPath, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file(error) && entry.path().extension() == ".html" && !skipped.contains(name))
            pages.push_back(name);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

bool holdsQuoteOrLineEnd(const std::string& text)
{
    return text.find_first_of("\"\r\n") != std::string::npos;
}

// The record of one page, or nothing when the form cannot hold it.
std::optional<std::string> record(const std::string& appPath, const std::string& name, ProblemList& problems)
{
    const std::string path = appPath + name;
    if (holdsQuoteOrLineEnd(name)) {
        problems.error(path, "the file name holds a double quote or a line break, which Wlist.idx cannot hold");
        return std::nullopt;
    }
    const auto bytes = readOrReport(path, problems);
    if (!bytes)
        return std::nullopt;
    const std::optional<PageTitle> title = pageTitle(*bytes);
    if (!title || title->text.empty())
        problems.error(path, "the page has no <title> with text, which its results link shows");
    else if (title->text.find('"') != std::string::npos)
        problems.error(path, title->line, "the title holds a double quote, which Wlist.idx cannot hold; write it as &quot;");
    else if (holdsQuoteOrLineEnd(title->text))
        problems.error(path, title->line, "the title runs over more than one line, which Wlist.idx cannot hold");
    else
        return "\"" + name + "\",\"" + title->text + "\"\r\n";
    return std::nullopt;
}

// A link to the index stays a link: the file it leads to is replaced.
std::string linkTarget(const std::string& path)
{
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::weakly_canonical(path, error);
    return error ? path : target.string();
}

}  // namespace

ProblemList writeIndex(const std::string& appPath, std::vector<std::string> pages, bool replace)
{
    ProblemList problems;
    const std::string indexPath = appPath + appFiles::index;
    std::error_code error;
    if (!replace && fs::symlink_status(indexPath, error).type() != fs::file_type::not_found) {
        problems.error(indexPath, "exists already; give --force to replace it");
        return problems;
    }
    if (pages.empty())
        pages = defaultPages(appPath, problems);
    std::string index;
    for (const std::string& name : pages)
        index += record(appPath, name, problems).value_or("");
    if (problems.errorCount() == 0)
        checkIndex(index, indexPath, appPath, problems);
    if (problems.errorCount() > 0)
        return problems;
    try {
        replaceFile(linkTarget(indexPath), index);
    } catch (const FileError& failure) {
        problems.error(failure);
    }
    return problems;
}

}  // namespace lexoria
