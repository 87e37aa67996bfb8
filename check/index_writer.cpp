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
#include <optional>
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

// A link to the index stays a link: the file it leads to is replaced, or
// made when the link dangles. A link is followed link by link, not resolved
// as a path, which would stop at a dangling one and replace the link itself.
std::optional<std::string> linkTarget(const std::string& path, ProblemList& problems)
{
    constexpr int maxLinks = 40;  // as many as the kernel follows
    fs::path at = path;
    for (int links = 0; links <= maxLinks; ++links) {
        std::error_code error;
        if (!fs::is_symlink(at, error))
            return at.string();
        const fs::path next = fs::read_symlink(at, error);
        if (error) {
            problems.error(path, "is a link that cannot be read: " + error.message());
            return std::nullopt;
        }
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    problems.error(path, "is a link in a loop or a chain of more than 40 links; nothing was written");
    return std::nullopt;
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
    const std::optional<std::string> target = linkTarget(indexPath, problems);
    if (!target)
        return problems;
    try {
        replaceFile(*target, index);
    } catch (const FileError& failure) {
        problems.error(failure);
    }
    return problems;
}

}  // namespace lexoria
