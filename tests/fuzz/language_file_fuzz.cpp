// The language file over arbitrary bytes. The whole input either applies or
// fails with a message naming the file and a line of the input; its first
// line, applied alone, changes at most one target.

#include "line_named.h"
#include "require.h"
#include "resources/language_file.h"
#include "base/file_error.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using lexoria::LanguageTexts;
using lexoria::fuzz::require;

const std::string languageName = "slo.lng";

// Texts a line could hardly set, so that a change shows.
LanguageTexts marked()
{
    LanguageTexts texts;
    texts.strNotFound = texts.strFoundHtml = texts.strTitula = texts.strCopy = "\x01unset";
    return texts;
}

int targetsChanged(const LanguageTexts& before, const LanguageTexts& after)
{
    int changed = (before.strNotFound != after.strNotFound) + (before.strFoundHtml != after.strFoundHtml)
                  + (before.strTitula != after.strTitula) + (before.strCopy != after.strCopy)
                  + (before.frameCaption != after.frameCaption);
    for (std::size_t i = 0; i < before.buttonTips.size(); ++i)
        changed += before.buttonTips[i] != after.buttonTips[i];
    return changed;
}

// Lines end at CR LF or a lone CR, so each CR ends one.
int linesIn(std::string_view bytes)
{
    return 1 + static_cast<int>(std::count(bytes.begin(), bytes.end(), '\r'));
}

bool namesALine(const std::string& message, int lines)
{
    const auto line = lexoria::fuzz::lineNamed(message, languageName);
    return line && *line >= 1 && *line <= lines;
}

void applyFirstLineAlone(std::string_view bytes)
{
    const std::string_view line = bytes.substr(0, bytes.find('\r'));
    LanguageTexts texts = marked();
    try {
        lexoria::readLanguageText(line, languageName, texts);
        require(targetsChanged(marked(), texts) <= 1, "a line applies to at most one target");
    } catch (const lexoria::FileError& error) {
        require(namesALine(error.what(), 1), "a failing line is named by its number");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LanguageTexts texts = marked();
    try {
        lexoria::readLanguageText(bytes, languageName, texts);
    } catch (const lexoria::FileError& error) {
        require(namesALine(error.what(), linesIn(bytes)), "a failure names the file and a line of it");
    }
    applyFirstLineAlone(bytes);
    return 0;
}
