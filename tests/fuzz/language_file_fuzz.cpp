// The language file over arbitrary bytes: it applies or fails naming the file
// and a line of the input; its first line alone changes at most one target.
#include "fuzz_support.h"
#include "base/file_error.h"
#include "resources/language_file.h"

#include <algorithm>
#include <cstdint>

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

int targetsChanged(const LanguageTexts& t)
{
    const LanguageTexts m = marked();
    int changed = (m.strNotFound != t.strNotFound) + (m.strFoundHtml != t.strFoundHtml) + (m.strTitula != t.strTitula)
                  + (m.strCopy != t.strCopy) + (m.frameCaption != t.frameCaption);
    for (std::size_t i = 0; i < m.buttonTips.size(); ++i)
        changed += m.buttonTips[i] != t.buttonTips[i];
    return changed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LanguageTexts texts = marked();
    try {
        lexoria::readLanguageText(bytes, languageName, texts);
    } catch (const lexoria::FileError& error) {
        // Lines end at CR LF or a lone CR, so each CR ends one.
        require(lexoria::fuzz::namesALine(error.what(), languageName, 1 + std::count(bytes.begin(), bytes.end(), '\r')),
                "a failure names the file and a line of it");
    }
    texts = marked();
    try {
        lexoria::readLanguageText(bytes.substr(0, bytes.find('\r')), languageName, texts);
        require(targetsChanged(texts) <= 1, "a line applies to at most one target");
    } catch (const lexoria::FileError& error) {
        require(lexoria::fuzz::namesALine(error.what(), languageName, 1), "a failing line is named by its number");
    }
    return 0;
}
