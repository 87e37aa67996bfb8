#include "check/unlisted_pages.h"

#include "check/html_tags.h"
#include "base/app_files.h"

#include <filesystem>

namespace lexoria {

namespace {

namespace fs = std::filesystem;

bool isPage(const fs::path& file)
{
    const std::string extension = asciiLowered(file.extension().string());
    return extension == ".html" || extension == ".htm";
}

}  // namespace

const std::set<std::string>& readersOwnPages()
{
    static const std::set<std::string> pages{appFiles::homePage, appFiles::helpPage, appFiles::resultsPage};
    return pages;
}

void noteUnlistedPages(const std::string& appPath, const std::set<std::string>& listed, ProblemList& problems)
{
    std::set<std::string> unlisted;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(appPath, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error)) {
        const std::string name = fs::relative(it->path(), appPath, error).generic_string();
        if (it->is_regular_file(error) && isPage(it->path()) && !listed.contains(name) && !readersOwnPages().contains(name))
            unlisted.insert(name);
    }
    for (const std::string& name : unlisted)
        problems.note(appPath + name, "not listed in Wlist.idx, so the search never finds it");
}

}  // namespace lexoria
