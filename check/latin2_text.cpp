#include "check/latin2_text.h"

#include "check/html_tags.h"
#include "search/codepage.h"

#include <algorithm>

namespace lexoria {

namespace {

bool isHigh(char c) { return static_cast<unsigned char>(c) > 127; }

}  // namespace

bool looksLikeUtf8(std::string_view bytes)
{
    return std::any_of(bytes.begin(), bytes.end(), isHigh) && isUtf8(bytes);
}

void checkNotUtf8(const std::string& path, std::string_view bytes, const std::string& harm, ProblemList& problems)
{
    if (!looksLikeUtf8(bytes))
        return;
    const auto high = std::find_if(bytes.begin(), bytes.end(), isHigh);
    problems.error(path, lineAt(bytes, static_cast<std::size_t>(high - bytes.begin())),
                   "the file is UTF-8, not ISO-8859-2: " + harm);
}

}  // namespace lexoria
