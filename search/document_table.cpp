#include "search/document_table.h"

#include "search/cp1250_lower.h"
#include "search/list_input.h"
#include "search/page_locator.h"
#include "base/file_error.h"
#include "base/whole_file.h"

#include <utility>

namespace lexoria {

struct ListedPages::Reader {
    Reader(const std::string& strIndexFile, const std::string& strAppPath,
           std::function<void(const std::string& warning)> warnOf, std::uintmax_t maxTotal)
        : indexFile(strIndexFile), appPath(strAppPath), index(readWholeFile(strIndexFile)), locator(indexFile, appPath),
          input(index, indexFile), warn(std::move(warnOf)), maxTotalBytes(maxTotal)
    {
    }

    const std::string indexFile;
    const std::string appPath;
    const std::string index;  // the bytes input reads
    const PageLocator locator;
    ListInput input;
    const std::function<void(const std::string& warning)> warn;
    const std::uintmax_t maxTotalBytes;
    std::int16_t pagesRead = 0;
    std::uintmax_t bytesRead = 0;
};

ListedPages::ListedPages(const std::string& strIndexFile, const std::string& strAppPath,
                         std::function<void(const std::string& warning)> warn, std::uintmax_t maxTotalBytes)
    : reader_(std::make_unique<Reader>(strIndexFile, strAppPath, std::move(warn), maxTotalBytes))
{
}

ListedPages::~ListedPages() = default;

bool ListedPages::more()
{
    if (reader_->input.atEnd())
        return false;
    if (reader_->pagesRead == maxPages)
        throw FileError(fileMessage(reader_->indexFile, reader_->input.lineNumber(), "the index lists more than 512 pages"));
    return true;
}

void ListedPages::readNext(DocEntry& entry)
{
    Reader& reader = *reader_;
    const int line = reader.input.lineNumber();
    ++reader.pagesRead;
    entry.strFile = reader.input.readField();
    entry.strTitle = reader.input.readField();
    const PageLocator::Page page = reader.locator.locate(entry.strFile, line);
    if (page.missing) {
        entry.strText.clear();
        reader.warn(fileMessage(reader.indexFile, line,
                                "the listed page " + page.path + " does not exist; it is searched as empty"));
        return;
    }
    try {
        readWholeFile(page.path, entry.strText);
    } catch (const FileError& unreadable) {
        throw FileError(fileMessage(reader.indexFile, line, std::string("the listed page ") + unreadable.what()));
    }
    reader.bytesRead += entry.strText.size();
    if (reader.bytesRead > reader.maxTotalBytes) {
        entry.strText.clear();
        throw FileError(fileMessage(reader.indexFile, line,
                                    "the listed page " + page.path + " brings the pages to " +
                                        std::to_string(reader.bytesRead) + " bytes in all; at most " +
                                        std::to_string(reader.maxTotalBytes) + " fit in memory together"));
    }
    lowerPageText(entry.strText);
}

void loadDocumentTable(const std::string& strIndexFile, const std::string& strAppPath,
                  DocList& docList, std::int16_t& docCount,
                  const std::function<void(const std::string& warning)>& warn,
                  std::uintmax_t maxTotalBytes)
{
    ListedPages pages(strIndexFile, strAppPath, warn, maxTotalBytes);
    docCount = 0;
    while (pages.more())
        pages.readNext(docList[++docCount]);
}

}  // namespace lexoria
