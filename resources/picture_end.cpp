#include "resources/picture_end.h"

#include <cstdint>
#include <cstdlib>

namespace lexoria {

namespace {

// Little-endian fields of the BMP and ICO headers; zero past the end, which
// the size checks below then reject.
std::uint64_t field(std::string_view bytes, std::size_t offset, std::size_t width)
{
    if (offset + width > bytes.size())
        return 0;
    std::uint64_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

std::int64_t signedField32(std::string_view bytes, std::size_t offset)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(field(bytes, offset, 4)));
}

// Uncompressed bitmaps hold every row; compressed ones have no fixed size.
bool bmpCutShort(std::string_view bytes)
{
    constexpr std::size_t infoStart = 14;
    constexpr std::uint64_t coreHeaderSize = 12;
    constexpr std::uint64_t uncompressed = 0, bitFields = 3;
    std::uint64_t headerSize = field(bytes, infoStart, 4);
    std::int64_t width = 0, height = 0;
    std::uint64_t bitCount = 0, compression = uncompressed;
    if (headerSize == coreHeaderSize) {
        width = static_cast<std::int64_t>(field(bytes, 18, 2));
        height = static_cast<std::int64_t>(field(bytes, 20, 2));
        bitCount = field(bytes, 24, 2);
    } else {
        width = signedField32(bytes, 18);
        height = signedField32(bytes, 22);
        bitCount = field(bytes, 28, 2);
        compression = field(bytes, 30, 4);
    }
    if (compression != uncompressed && compression != bitFields)
        return false;
    auto rowBytes = (static_cast<std::uint64_t>(std::llabs(width)) * bitCount + 31) / 32 * 4;
    std::uint64_t end = field(bytes, 10, 4) + rowBytes * static_cast<std::uint64_t>(std::llabs(height));
    return bytes.size() < end;
}

bool icoCutShort(std::string_view bytes)
{
    constexpr std::size_t entriesStart = 6, entrySize = 16;
    std::uint64_t count = field(bytes, 4, 2);
    if (bytes.size() < entriesStart + count * entrySize)
        return true;
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t entry = entriesStart + i * entrySize;
        if (bytes.size() < field(bytes, entry + 12, 4) + field(bytes, entry + 8, 4))
            return true;
    }
    return false;
}

// Walks the segments up to the end-of-image marker; bytes after it, as
// cameras and editors leave them, do not count. Inside the entropy-coded
// data that follows each start of scan, 0xFF is followed by 0x00 (a stuffed
// byte) or a restart marker, never by another marker.
bool jpegCutShort(std::string_view bytes)
{
    constexpr unsigned char markerByte = 0xFF, startOfScan = 0xDA, endOfImage = 0xD9;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto isRestart = [](unsigned char code) { return code >= 0xD0 && code <= 0xD7; };
    std::size_t pos = 2;  // past the start-of-image marker
    while (pos + 1 < bytes.size()) {
        if (at(pos) != markerByte)
            return true;
        const unsigned char code = at(pos + 1);
        if (code == markerByte) {
            ++pos;  // fill bytes may stand before a marker
            continue;
        }
        if (code == endOfImage)
            return false;
        if (pos + 3 >= bytes.size())
            return true;
        pos += 2 + (static_cast<std::size_t>(at(pos + 2)) << 8 | at(pos + 3));
        if (code != startOfScan)
            continue;
        while (pos + 1 < bytes.size() && (at(pos) != markerByte || at(pos + 1) == 0 || isRestart(at(pos + 1))))
            ++pos;
    }
    return true;
}

// Walks the blocks up to the trailer; bytes after it do not count.
bool gifCutShort(std::string_view bytes)
{
    constexpr std::size_t headerSize = 13;
    constexpr unsigned char hasColourTable = 0x80, imageSeparator = 0x2C, extension = 0x21, trailer = 0x3B;
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto colourTableSize = [](unsigned char flags) {
        return (flags & hasColourTable) ? std::size_t{3} << ((flags & 0x07) + 1) : 0;
    };
    // Past a chain of sub-blocks ended by an empty one; bytes.size() when cut.
    const auto skipSubBlocks = [&](std::size_t pos) {
        while (pos < bytes.size() && at(pos) != 0)
            pos += 1 + at(pos);
        return pos < bytes.size() ? pos + 1 : bytes.size();
    };
    if (bytes.size() < headerSize)
        return true;
    std::size_t pos = headerSize + colourTableSize(at(10));
    while (pos < bytes.size()) {
        const unsigned char block = at(pos);
        if (block == trailer)
            return false;
        if (block == extension) {
            pos = skipSubBlocks(pos + 2);
        } else if (block == imageSeparator) {
            constexpr std::size_t descriptorSize = 10;
            if (pos + descriptorSize > bytes.size())
                return true;
            pos += descriptorSize + colourTableSize(at(pos + 9));
            pos = skipSubBlocks(pos + 1);  // past the LZW code size
        } else {
            return true;
        }
    }
    return true;
}

}  // namespace

bool isCutShort(std::string_view format, std::string_view bytes)
{
    if (format == "jpeg")
        return jpegCutShort(bytes);
    if (format == "gif")
        return gifCutShort(bytes);
    if (format == "bmp")
        return bmpCutShort(bytes);
    if (format == "ico")
        return icoCutShort(bytes);
    return false;
}

}  // namespace lexoria
