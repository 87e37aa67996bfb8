#include "import/statute_files.h"

#include "base/app_files.h"
#include "import/front_pages.h"
#include "import/shipped_files.h"
#include "import/statute_pages.h"
#include "import/xml_text.h"
#include "resources/language_file.h"
#include "search/codepage.h"

namespace lexoria {

std::map<std::string, std::string> statuteFiles(const Act& act, const std::vector<PagePlan>& plans,
                                                std::string_view languageFile)
{
    std::map<std::string, std::string> files = provisionPages(act, plans);
    files.merge(frontPages(act, plans));
    for (auto& [name, page] : files)
        page = latin2FromUtf8(page);
    files[styleSheet] = shippedStyleSheet;
    files[appFiles::languageFile] = withTitula(languageFile, latin2FromUtf8(escapeHtml(act.title)));
    return files;
}

}  // namespace lexoria
