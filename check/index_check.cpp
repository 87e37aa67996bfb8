#include "check/index_check.h"

#include "search/document_table.h"
#include "search/list_input.h"
#include "search/page_locator.h"
#include "search/results_page.h"
#include "base/file_error.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>

namespace lexoria {

namespace {

// What in a page name breaks its link on the results page, if anything: a
// byte the link cannot carry, a ':' before any '/' (the link then reads as
// an address of another scheme, "sec:1.html"), or a space at either end
// (the address parser drops it, and the link opens another page or none).
std::optional<std::string> linkBreakingFault(const std::string& file)
{
    if (const std::optional<char> breaking = linkBreakingByte(file)) {
        const auto byte = static_cast<unsigned char>(*breaking);
        char shown[8];
        std::snprintf(shown, sizeof shown, byte > 0x20 && byte < 0x7F ? "%c" : "0x%02X", byte);
        return std::string("holds ") + shown;
    }
    if (file.find(':') < file.find('/'))
        return "holds a ':' before any '/'";
    if (!file.empty() && (file.front() == ' ' || file.back() == ' '))
        return "begins or ends with a space";
    return std::nullopt;
}

struct Record {
    std::string file;
    int line;
};

class IndexChecker {
public:
    IndexChecker(std::string_view bytes, const std::string& indexPath, const std::string& appPath,
                 ProblemList& problems)
        : input_(bytes, indexPath), locator_(indexPath, appPath), indexPath_(indexPath), problems_(problems)
    {
    }

    std::vector<ListedPage> run()
    {
        std::vector<ListedPage> pages;
        int records = 0;
        while (!input_.atEnd()) {
            if (++records == maxPages + 1)
                problems_.error(indexPath_, input_.lineNumber(),
                                "the index lists more than 512 pages; the reader holds at most 512");
            const std::optional<Record> record = readRecord();
            if (record && isFirstListing(*record) && linksFromResults(*record))
                locate(*record, pages);
        }
        if (records == 0)
            problems_.error(indexPath_, "lists no pages, so every search finds nothing");
        return pages;
    }

private:
    // One record of two fields on one line, as the reader pairs them: a
    // title with an unquoted comma would shift every later record.
    std::optional<Record> readRecord()
    {
        const int line = input_.lineNumber();
        try {
            Record record{input_.readField(), line};
            if (input_.atEnd() || input_.lineNumber() != line)
                return fail(line, "the record has no title on its line");
            input_.readField();
            if (!input_.atEnd() && input_.lineNumber() == line)
                return fail(line, "the line holds more than two fields; a title with a comma needs double quotes");
            return record;
        } catch (const FileError& badField) {
            problems_.error(badField);
            input_.skipRestOfLine();
            return std::nullopt;
        }
    }

    std::nullopt_t fail(int line, const std::string& what)
    {
        problems_.error(indexPath_, line, what);
        if (!input_.atEnd() && input_.lineNumber() == line)
            input_.skipRestOfLine();
        return std::nullopt;
    }

    bool isFirstListing(const Record& record)
    {
        const std::string key = std::filesystem::path(record.file).lexically_normal().generic_string();
        const auto [first, isNew] = firstLines_.emplace(key, record.line);
        if (!isNew)
            problems_.error(indexPath_, record.line,
                            "the page \"" + record.file + "\" is listed again (first on line "
                                + std::to_string(first->second) + ")");
        return isNew;
    }

    // The results page writes the name into its link as it stands.
    bool linksFromResults(const Record& record)
    {
        const std::optional<std::string> fault = linkBreakingFault(record.file);
        if (!fault)
            return true;
        problems_.error(indexPath_, record.line,
                        "the page file name \"" + record.file + "\" " + *fault
                            + ", which breaks its link on the results page; rename the page");
        return false;
    }

    void locate(const Record& record, std::vector<ListedPage>& pages)
    {
        try {
            const PageLocator::Page page = locator_.locate(record.file, record.line);
            if (page.missing)
                problems_.error(indexPath_, record.line, "the listed page \"" + record.file + "\" does not exist");
            else
                pages.push_back({record.file, page.path});
        } catch (const FileError& refused) {
            problems_.error(refused);
        }
    }

    ListInput input_;
    const PageLocator locator_;
    const std::string& indexPath_;
    ProblemList& problems_;
    std::map<std::string, int> firstLines_;
};

}  // namespace

std::vector<ListedPage> checkIndex(std::string_view bytes, const std::string& indexPath,
                                   const std::string& appPath, ProblemList& problems)
{
    return IndexChecker(bytes, indexPath, appPath, problems).run();
}

}  // namespace lexoria
