// The language file over arbitrary bytes: it applies or fails naming the file
// and a line of the input; its first line alone changes at most one target.
#include "fuzz_support.h"
#include "resources/language_file.h"

#include <algorithm>
#include <functional>
#include <numeric>

// The targets a line can set, each starting as a text a line could hardly
// set, so that a change shows.
static std::vector<std::optional<std::string>> readTargets(std::string_view bytes)
{
    lexoria::LanguageTexts t;
    t.strNotFound = t.strFoundHtml = t.strTitula = t.strCopy = "\x01unset";
    lexoria::parseLanguageTexts(bytes, "slo.lng", t);
    std::vector<std::optional<std::string>> targets{t.strNotFound, t.strFoundHtml, t.strTitula, t.strCopy, t.frameCaption};
    targets.insert(targets.end(), t.buttonTips.begin(), t.buttonTips.end());
    return targets;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto untouched = readTargets("");
    try {
        readTargets(bytes);
    } catch (const lexoria::FileError& error) {
        // Lines end at CR LF or a lone CR, so each CR ends one.
        require(namesALine(error, "slo.lng", 1 + std::count(bytes.begin(), bytes.end(), '\r')),
                "a failure names the file and a line of it");
    }
    try {
        const auto targets = readTargets(bytes.substr(0, bytes.find('\r')));
        const int changed = std::inner_product(targets.begin(), targets.end(), untouched.begin(), 0, std::plus<>(),
                                               std::not_equal_to<>());
        require(changed <= 1, "a line applies to at most one target");
    } catch (const lexoria::FileError& error) {
        require(namesALine(error, "slo.lng", 1), "a failing line is named by its number");
    }
    return 0;
}
