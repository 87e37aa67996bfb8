// The query normalisation over arbitrary search-box bytes. The query never
// holds a byte the normalisation drops, nor a capital the Windows-1250 map
// lowers, nor a byte strIsoEncodeCEELow would change again.

#include "require.h"
#include "search/cp1250_lower.h"
#include "search/query.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace {

using lexoria::fuzz::require;

bool isDropped(unsigned char c)
{
    return (c >= 0x01 && c <= 0x1F) || (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x3F);
}

void checkQuery(const std::string& query)
{
    for (char c : query) {
        const auto byte = static_cast<unsigned char>(c);
        require(!isDropped(byte), "no control character or punctuation is kept");
        require(lexoria::cp1250Lower(byte) == byte, "no capital is kept");
    }
    require(lexoria::strIsoEncodeCEELow(query) == query, "the query is already in ISO-8859-2 form");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        checkQuery(lexoria::normaliseQuery(text));
    } catch (const std::overflow_error&) {
        require(size > 32767, "only a text longer than 32767 characters overflows");
    }
    return 0;
}
