// lexoria-search [--write] APPDIR WORDS...
//
// Searches the statute in APPDIR as the reader's search box does: loads its
// "Wlist.idx", joins WORDS (UTF-8) with single spaces, converts them to
// Windows-1250 and normalises them, and prints every matching page as
// "file<TAB>title" in UTF-8. With --write it also writes APPDIR/found.html
// from the texts of APPDIR's "slo.lng", byte for byte as the reader would.
//
// Exit status: 0 when a page matches, 1 when none does or the query is
// empty, 2 for a bad index or language file, a failed write, or bad usage.

#include "resources/language_file.h"
#include "search/codepage.h"
#include "search/document_table.h"
#include "search/query.h"
#include "base/app_files.h"
#include "base/file_replacement.h"
#include "search/search.h"
#include "search/substring.h"
#include "base/file_error.h"

#include <iostream>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace {

constexpr int exitHits = 0;
constexpr int exitNoMatch = 1;
constexpr int exitFailure = 2;

struct Invocation {
    bool write = false;
    std::string appPath;  // ends with "/"
    std::string words;    // joined with single spaces
};

std::optional<Invocation> parseArguments(std::span<char*> args)
{
    Invocation invocation;
    if (!args.empty() && std::string_view(args.front()) == "--write") {
        invocation.write = true;
        args = args.subspan(1);
    }
    if (args.size() < 2)
        return std::nullopt;
    invocation.appPath = args.front();
    if (!invocation.appPath.ends_with('/'))
        invocation.appPath += '/';
    for (char* word : args.subspan(1)) {
        if (!invocation.words.empty())
            invocation.words += ' ';
        invocation.words += word;
    }
    return invocation;
}

// Each page is read, lowered and tested straight away and then dropped:
// the command line keeps no table, so one page's storage serves them all.
int search(const Invocation& invocation)
{
    const std::string query = lexoria::normaliseQuery(lexoria::cp1250FromUtf8(invocation.words));
    if (query.empty())
        return exitNoMatch;

    lexoria::LanguageTexts language;
    if (invocation.write)
        lexoria::readLanguageTexts(invocation.appPath + lexoria::appFiles::languageFile, language);
    lexoria::ResultsPageBuilder results(query, {language.strFoundHtml, language.strTitula, language.strNotFound});

    lexoria::ListedPages pages(invocation.appPath + lexoria::appFiles::index, invocation.appPath,
                               [](const std::string& warning) { std::cerr << warning << '\n'; });
    const lexoria::SubstringTest inPage(query);
    lexoria::DocEntry page;
    std::string hitLines;
    while (pages.more()) {
        pages.readNext(page);
        if (!inPage.foundIn(page.strText))
            continue;
        results.addHit(page);
        hitLines += page.strFile + '\t' + lexoria::utf8FromLatin2(page.strTitle) + '\n';
    }
    if (invocation.write)
        lexoria::replaceFile(invocation.appPath + lexoria::appFiles::resultsPage, results.page());
    std::cout << hitLines;
    return hitLines.empty() ? exitNoMatch : exitHits;
}

}  // namespace

int main(int argc, char* argv[])
{
    const auto invocation = parseArguments(std::span<char*>(argv + 1, argv + argc));
    if (!invocation) {
        std::cerr << "usage: lexoria-search [--write] APPDIR WORDS...\n";
        return exitFailure;
    }
    try {
        return search(*invocation);
    } catch (const lexoria::FileError& error) {
        std::cerr << error.what() << '\n';
    } catch (const std::overflow_error& error) {
        std::cerr << error.what() << '\n';
    }
    return exitFailure;
}
