#include "search/codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace lexoria {

namespace {

// Unicode of the Windows-1250 bytes 0x80 to 0xFF; 0 marks the five bytes the
// code page leaves unassigned. Below 0x80 the code page is ASCII.
constexpr std::array<char16_t, 128> cp1250High = {
    0x20AC, 0x0000, 0x201A, 0x0000, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0000, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0000, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0000, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

// Unicode of the ISO-8859-2 bytes 0xA0 to 0xFF. Below 0xA0 each byte is the
// code point of the same number.
constexpr std::array<char16_t, 96> latin2High = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7,  // 0xA0
    0x00A8, 0x0160, 0x015E, 0x0164, 0x0179, 0x00AD, 0x017D, 0x017B,  // 0xA8
    0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E, 0x015B, 0x02C7,  // 0xB0
    0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // 0xF8
};

constexpr unsigned char latin2FirstMapped = 0xA0;

// The Windows-1250 byte of a code point, if the code page has one.
std::optional<unsigned char> cp1250Byte(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<unsigned char>(codePoint);
    if (codePoint > 0xFFFF)
        return std::nullopt;
    auto found = std::find(cp1250High.begin(), cp1250High.end(), static_cast<char16_t>(codePoint));
    if (found == cp1250High.end())
        return std::nullopt;
    return static_cast<unsigned char>(0x80 + (found - cp1250High.begin()));
}

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// The code point of the UTF-8 sequence at the start of bytes, or nothing when
// the sequence is malformed, overlong, a surrogate or beyond U+10FFFF.
std::optional<Decoded> decodeUtf8(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes[0]);
    if (lead < 0x80)
        return Decoded{lead, 1};
    std::size_t length;
    char32_t codePoint;
    char32_t smallest;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() < length)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    if (codePoint < smallest || surrogate || codePoint > 0x10FFFF)
        return std::nullopt;
    return Decoded{codePoint, length};
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The ISO-8859-2 byte of a code point, if the code page has one. The C1
// controls 0x80 to 0x9F are left out: browsers read their bytes as
// Windows-1252 punctuation.
std::optional<unsigned char> latin2Byte(char32_t codePoint)
{
    if (codePoint < 0x80)
        return static_cast<unsigned char>(codePoint);
    if (codePoint < latin2FirstMapped || codePoint > 0xFFFF)
        return std::nullopt;
    auto found = std::find(latin2High.begin(), latin2High.end(), static_cast<char16_t>(codePoint));
    if (found == latin2High.end())
        return std::nullopt;
    return static_cast<unsigned char>(latin2FirstMapped + (found - latin2High.begin()));
}

}  // namespace

std::string cp1250FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const auto decoded = decodeUtf8(utf8);
        if (!decoded) {
            utf8.remove_prefix(1);  // resynchronise at the next byte
            continue;
        }
        if (const auto byte = cp1250Byte(decoded->codePoint))
            out += static_cast<char>(*byte);
        utf8.remove_prefix(decoded->length);
    }
    return out;
}

bool isUtf8(std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto decoded = decodeUtf8(bytes);
        if (!decoded)
            return false;
        bytes.remove_prefix(decoded->length);
    }
    return true;
}

std::string utf8FromLatin2(std::string_view iso88592)
{
    std::string out;
    out.reserve(iso88592.size() * 2);
    for (char c : iso88592) {
        const auto byte = static_cast<unsigned char>(c);
        appendUtf8(out, byte < latin2FirstMapped ? byte : latin2High[byte - latin2FirstMapped]);
    }
    return out;
}

std::string latin2FromUtf8(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    while (!utf8.empty()) {
        const auto decoded = decodeUtf8(utf8);
        const char32_t codePoint = decoded ? decoded->codePoint : U'\uFFFD';
        if (const auto byte = latin2Byte(codePoint))
            out += static_cast<char>(*byte);
        else
            out += "&#" + std::to_string(static_cast<std::uint32_t>(codePoint)) + ";";
        utf8.remove_prefix(decoded ? decoded->length : 1);
    }
    return out;
}

}  // namespace lexoria
