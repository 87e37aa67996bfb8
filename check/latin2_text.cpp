#include "check/latin2_text.h"

#include "check/html_tags.h"

#include <algorithm>

namespace lexoria {

namespace {

bool isHigh(char c) { return static_cast<unsigned char>(c) > 127; }

std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Each lead byte followed by as many continuation bytes as it announces,
// with no overlong form, surrogate or code point above U+10FFFF.
bool isUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = sequenceLength(lead);
        if (length == 0 || i + length > bytes.size())
            return false;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80)
                return false;
        const auto second = static_cast<unsigned char>(length > 1 ? bytes[i + 1] : 0);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F)
            || (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
            return false;
        i += length;
    }
    return true;
}

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
