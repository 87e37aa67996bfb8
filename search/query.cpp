#include "search/query.h"

#include "search/cp1250_lower.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>

namespace lexoria {

namespace {

// The byte that stands for c in the query, or nothing when c is dropped.
std::optional<char> isoQueryByte(unsigned char c)
{
    switch (c) {
    case 0xC6: return '\xE6';  // Ć
    case 0xC8: return '\xE8';  // Č
    case 0xD0: return '\xF0';  // Đ
    case 0xA9: case 0x8A: case 0x9A: return '\xB9';  // ISO Š, Windows Š and š
    case 0xAE: case 0x8E: case 0x9E: return '\xBE';  // ISO Ž, Windows Ž and ž
    default: break;
    }
    const bool control = c >= 0x01 && c <= 0x1F;
    const bool punctuation = (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x3F);
    if (control || punctuation)
        return std::nullopt;
    return static_cast<char>(c);
}

std::string_view trimSpaces(std::string_view text)
{
    text.remove_suffix(text.size() - (text.find_last_not_of(' ') + 1));
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    return text;
}

// One pass, never looking again at what it wrote: a run of n spaces becomes
// n/2 rounded up.
std::string halveSpaceRuns(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ')
            ++i;
    }
    return out;
}

}  // namespace

std::string normaliseQuery(std::string_view text1)
{
    std::string text = halveSpaceRuns(trimSpaces(text1));
    cp1250LowerInPlace(text);
    return toLatin2QueryForm(std::move(text));
}

std::string toLatin2QueryForm(std::string strIn)
{
    if (strIn.size() > static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max()))
        throw std::overflow_error("the search text is longer than 32767 characters");
    std::string out;
    out.reserve(strIn.size());
    for (char c : strIn)
        if (const auto byte = isoQueryByte(static_cast<unsigned char>(c)))
            out += *byte;
    return out;
}

}  // namespace lexoria
