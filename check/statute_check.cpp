#include "check/statute_check.h"

#include "base/app_files.h"
#include "base/file_error.h"
#include "check/frame_pages.h"
#include "check/index_check.h"
#include "check/language_check.h"
#include "check/latin2_text.h"
#include "check/page_check.h"
#include "check/skin_check.h"
#include "check/unlisted_pages.h"
#include "search/document_table.h"

#include <filesystem>
#include <memory>
#include <set>

namespace lexoria {

namespace {

// The reader's own document table must load what the checks passed; this
// catches what they cannot see, such as a page that cannot be read.
void loadAsTheReaderDoes(const std::string& indexPath, const std::string& appPath, ProblemList& problems)
{
    auto docList = std::make_unique<DocList>();
    std::int16_t docCount = 0;
    try {
        loadDocumentTable(indexPath, appPath, *docList, docCount, [](const std::string&) {});
    } catch (const FileError& failure) {
        problems.error(failure);
    }
}

std::set<std::string> checkListedPages(const std::string& appPath, ProblemList& problems)
{
    const std::string indexPath = appPath + appFiles::index;
    const auto index = readOrReport(indexPath, problems);
    if (!index)
        return {};
    const int errorsBefore = problems.errorCount();
    checkNotUtf8(indexPath, *index, "its titles show wrongly on the results page", problems);
    std::set<std::string> listed;
    for (const ListedPage& page : checkIndex(*index, indexPath, appPath, problems)) {
        listed.insert(std::filesystem::path(page.name).lexically_normal().generic_string());
        if (const auto bytes = readOrReport(page.path, problems))
            checkPage(appPath, page.path, *bytes, Anchor::needed, problems);
    }
    if (problems.errorCount() == errorsBefore)
        loadAsTheReaderDoes(indexPath, appPath, problems);
    return listed;
}

}  // namespace

ProblemList checkStatute(const std::string& appPath)
{
    ProblemList problems;
    std::set<std::string> known = checkListedPages(appPath, problems);
    known.merge(checkFramePages(appPath, problems));
    checkLanguageFile(appPath + appFiles::languageFile, problems);
    checkSkin(appPath, problems);
    noteUnlistedPages(appPath, known, problems);
    return problems;
}

}  // namespace lexoria
