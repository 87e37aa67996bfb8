#include "import/language_title.h"

#include "base/app_files.h"
#include "base/file_error.h"
#include "base/file_replacement.h"
#include "check/page_title.h"
#include "resources/language_file.h"

namespace lexoria {

ProblemList titleLanguageFile(const std::string& dir)
{
    ProblemList problems;
    const std::string home = dir + "/" + appFiles::homePage;
    const std::string languagePath = dir + "/" + appFiles::languageFile;
    const auto page = readOrReport(home, problems);
    const auto language = readOrReport(languagePath, problems);
    if (!page || !language)
        return problems;
    const std::optional<PageTitle> title = pageTitle(*page);
    if (!title || title->text.empty()) {
        problems.error(home, "the page has no <title> with text, which names the statute");
        return problems;
    }
    try {
        replaceFile(languagePath, withTitula(*language, title->text));
    } catch (const FileError& failure) {
        problems.error(failure);
    }
    return problems;
}

}  // namespace lexoria
