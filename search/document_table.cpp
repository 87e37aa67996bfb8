#include "search/document_table.h"

#include "search/cp1250_lower.h"
#include "search/list_input.h"
#include "base/file_error.h"
#include "base/whole_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace lexoria {

namespace {

namespace fs = std::filesystem;

// The index may only name pages inside the application directory: an
// absolute name, a ".." step or a symbolic link leading out of it is refused,
// so a tampered index cannot make the search read other files.
class PageLocator {
public:
    PageLocator(const std::string& strIndexFile, const std::string& strAppPath)
        : indexFile_(strIndexFile), appPath_(strAppPath), appDir_(resolved(strAppPath))
    {
        if (appDir_.filename().empty())
            appDir_ = appDir_.parent_path();
    }

    struct Page {
        std::string path;
        bool missing;
    };

    // The page named strFile in line `line` of the index.
    Page locate(const std::string& strFile, int line) const
    {
        // The file system would read the name only up to a NUL byte, and so
        // open another page than the one listed.
        if (strFile.find('\0') != std::string::npos)
            refuse(withNulShown(strFile), line, "holds a NUL byte");
        const fs::path name(strFile);
        if (name.is_absolute())
            refuse(strFile, line, "is an absolute path");
        for (const fs::path& part : name)
            if (part == "..")
                refuse(strFile, line, "steps out with \"..\"");
        Page page{appPath_ + strFile, false};
        const Walk walk = walkTo(name);
        if (!walk.throughLink) {
            page.missing = walk.missing;
            return page;
        }
        if (!isInside(resolved(page.path)))
            refuse(strFile, line, "leads outside the application directory");
        std::error_code error;
        page.missing = fs::status(page.path, error).type() == fs::file_type::not_found;
        return page;
    }

private:
    struct Walk {
        bool throughLink;
        bool missing;
    };

    // Without ".." steps only a symbolic link can lead out, so a name that
    // passes through none needs no resolving: one lstat per step tells that,
    // and whether the page is there.
    Walk walkTo(const fs::path& name) const
    {
        fs::path at = appPath_;
        for (const fs::path& part : name) {
            at /= part;
            std::error_code error;
            const fs::file_type type = fs::symlink_status(at, error).type();
            if (type == fs::file_type::symlink)
                return {true, false};
            if (type == fs::file_type::not_found)
                return {false, true};
        }
        return {false, false};
    }

    // A message is shown as a C string, which would end at the NUL.
    static std::string withNulShown(const std::string& name)
    {
        std::string shown;
        for (char c : name) {
            if (c == '\0')
                shown += "\\0";
            else
                shown += c;
        }
        return shown;
    }

    static fs::path resolved(const std::string& path)
    {
        std::error_code error;
        fs::path canonical = fs::weakly_canonical(path, error);
        return error ? fs::path(path).lexically_normal() : canonical;
    }

    bool isInside(const fs::path& path) const
    {
        return std::mismatch(appDir_.begin(), appDir_.end(), path.begin(), path.end()).first == appDir_.end();
    }

    [[noreturn]] void refuse(const std::string& strFile, int line, const std::string& why) const
    {
        throw FileError(fileMessage(indexFile_, line, "the page file name \"" + strFile + "\" " + why));
    }

    const std::string& indexFile_;
    const std::string& appPath_;
    fs::path appDir_;
};

}  // namespace

struct ListedPages::Reader {
    Reader(const std::string& strIndexFile, const std::string& strAppPath,
           std::function<void(const std::string& warning)> warnOf)
        : indexFile(strIndexFile), appPath(strAppPath), index(readWholeFile(strIndexFile)), locator(indexFile, appPath),
          input(index, indexFile), warn(std::move(warnOf))
    {
    }

    const std::string indexFile;
    const std::string appPath;
    const std::string index;  // the bytes input reads
    const PageLocator locator;
    ListInput input;
    const std::function<void(const std::string& warning)> warn;
    std::int16_t pagesRead = 0;
};

ListedPages::ListedPages(const std::string& strIndexFile, const std::string& strAppPath,
                         std::function<void(const std::string& warning)> warn)
    : reader_(std::make_unique<Reader>(strIndexFile, strAppPath, std::move(warn)))
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
    readWholeFile(page.path, entry.strText);
    lowerPageText(entry.strText);
}

void readWorlList(const std::string& strIndexFile, const std::string& strAppPath,
                  DocList& docList, std::int16_t& docCount,
                  const std::function<void(const std::string& warning)>& warn)
{
    ListedPages pages(strIndexFile, strAppPath, warn);
    docCount = 0;
    while (pages.more())
        pages.readNext(docList[++docCount]);
}

}  // namespace lexoria
