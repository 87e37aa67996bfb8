#include "check/language_check.h"

#include "base/app_files.h"
#include "check/latin2_text.h"
#include "check/page_title.h"
#include "resources/language_file.h"
#include "base/file_error.h"

namespace lexoria {

namespace {

// A language file taken from another statute names the wrong law in the
// caption and on every results page; the reader still works.
void noteForeignTitle(const std::string& path, const std::string& strTitula, ProblemList& problems)
{
    const std::string home = path.substr(0, path.rfind('/') + 1) + appFiles::homePage;
    ProblemList unread;
    const auto page = readOrReport(home, unread);
    const std::optional<PageTitle> title = page ? pageTitle(*page) : std::nullopt;
    if (title && title->text != strTitula)
        problems.note(path, "strTitula \"" + strTitula + "\" is not the statute's title \"" + title->text +
                                "\" (the <title> of index.html), yet the caption and every results page show it");
}

}  // namespace

void checkLanguageFile(const std::string& path, ProblemList& problems)
{
    const auto bytes = readOrReport(path, problems);
    if (!bytes)
        return;
    checkNotUtf8(path, *bytes, "its texts show wrongly in the window and on the results page", problems);
    LanguageTexts texts;
    parseLanguageTexts(*bytes, path, texts, [&](const FileError& badLine) { problems.error(badLine); });
    if (texts.strFoundHtml.find("BODDDY") == std::string::npos)
        problems.error(path, "no strFoundHtml line holds \"BODDDY\", where the results page lists the hits");
    noteForeignTitle(path, texts.strTitula, problems);
}

}  // namespace lexoria
