#include "check/language_check.h"

#include "check/latin2_text.h"
#include "resources/language_file.h"
#include "base/file_error.h"

namespace lexoria {

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
}

}  // namespace lexoria
