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

}  // namespace

bool isCutShort(std::string_view format, std::string_view bytes)
{
    if (format == "jpeg")
        return !bytes.ends_with("\xFF\xD9");  // the end-of-image marker
    if (format == "gif")
        return !bytes.ends_with(';');  // the trailer
    if (format == "bmp")
        return bmpCutShort(bytes);
    if (format == "ico")
        return icoCutShort(bytes);
    return false;
}

}  // namespace lexoria
