#include "search/document_table.h"

#include "search/cp1250_lower.h"
#include "search/list_input.h"
#include "search/page_locator.h"
#include "base/file_error.h"
#include "base/whole_file.h"

namespace lexoria {

void readWorlList(const std::string& strIndexFile, const std::string& strAppPath,
                  DocList& docList, std::int16_t& docCount,
                  const std::function<void(const std::string& warning)>& warn)
{
    const std::string index = readWholeFile(strIndexFile);
    const PageLocator locator(strIndexFile, strAppPath);
    ListInput input(index, strIndexFile);
    docCount = 0;
    while (!input.atEnd()) {
        const int line = input.lineNumber();
        if (docCount == maxPages)
            throw FileError(fileMessage(strIndexFile, line, "the index lists more than 512 pages"));
        DocEntry& entry = docList[++docCount];
        entry.strFile = input.readField();
        entry.strTitle = input.readField();
        const PageLocator::Page page = locator.locate(entry.strFile, line);
        if (page.missing) {
            entry.strText.clear();
            warn(fileMessage(strIndexFile, line, "the listed page " + page.path + " does not exist; it is searched as empty"));
            continue;
        }
        entry.strText = readWholeFile(page.path);
        lowerPageText(entry.strText);
    }
}

}  // namespace lexoria
