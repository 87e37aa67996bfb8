// The query normalisation over arbitrary search-box bytes. The query never
// holds a byte the normalisation drops, nor a capital the Windows-1250 map
// lowers, nor a byte toLatin2QueryForm would change again.
#include "fuzz_support.h"
#include "search/cp1250_lower.h"
#include "search/query.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string query;
    try {
        query = lexoria::normaliseQuery(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const std::overflow_error&) {
        require(size > 32767, "only a text longer than 32767 characters overflows");
    }
    for (const unsigned char c : query) {
        require(!((c >= 0x01 && c <= 0x1F) || (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x3F)),
                "no control character or punctuation is kept");
        require(lexoria::cp1250Lower(c) == c, "no capital is kept");
    }
    require(lexoria::toLatin2QueryForm(query) == query, "the query is already in ISO-8859-2 form");
    return 0;
}
