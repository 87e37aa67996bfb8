#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lexoria {

// One page of the statute, held whole in memory for the search.
struct DocEntry {
    std::string strFile;   // file name as listed in the index, relative to the application directory
    std::string strTitle;  // title as listed in the index
    std::string strText;   // the whole page, markup included, lower-cased by the Windows-1250 map
};

// The index holds at most 512 pages; slot 0 is never used.
constexpr std::int16_t maxPages = 512;
using DocList = std::array<DocEntry, maxPages + 1>;

// The reader holds every page at once, so their sizes are bounded in sum,
// not only one by one: 2 GiB is 512 pages of 4 MiB each, some fifty times
// the longest page of a statute, yet still fits the memory of a desktop
// beside the web engine.
constexpr std::uintmax_t maxTotalPageBytes = std::uintmax_t{2} << 30;

// Fills slots 1, 2, ... of docList from the index file strIndexFile, each
// page read whole and lower-cased, and sets docCount to the slots filled.
// strAppPath is the application directory followed by "/".
//
// Throws FileError, with docCount counting the slot being filled, when the
// index is missing or malformed, lists more than 512 pages (docCount stays
// 512), names a file outside the application directory or holding a NUL
// byte, or names a page that cannot be read (the message names the line
// and the page: a folder, a pipe or a device is never waited on), or when
// the pages together pass maxTotalBytes (the message names the line and the
// page with which they do). A listed
// page that does not exist keeps its slot with an empty text, and warn is
// told about it.
void loadDocumentTable(const std::string& strIndexFile, const std::string& strAppPath,
                  DocList& docList, std::int16_t& docCount,
                  const std::function<void(const std::string& warning)>& warn,
                  std::uintmax_t maxTotalBytes = maxTotalPageBytes);

// The pages the index lists, read one after another, for a caller that
// tests each page and keeps none: one page at a time is in memory.
class ListedPages {
public:
    ListedPages(const std::string& strIndexFile, const std::string& strAppPath,
                std::function<void(const std::string& warning)> warn,
                std::uintmax_t maxTotalBytes = maxTotalPageBytes);
    ~ListedPages();
    ListedPages(const ListedPages&) = delete;
    ListedPages& operator=(const ListedPages&) = delete;

    // Whether the index lists another page. Throws FileError when that
    // page would be the 513th.
    bool more();

    // Reads the next listed page into entry, as loadDocumentTable fills a slot,
    // reusing the entry's storage. Throws as loadDocumentTable does.
    void readNext(DocEntry& entry);

private:
    struct Reader;
    std::unique_ptr<Reader> reader_;
};

}  // namespace lexoria
