// ListInput over arbitrary bytes: it yields fields until the end, or throws a
// FileError that names the file and a line of the input, and every field
// moves it forward, so it cannot loop.

#include "line_named.h"
#include "require.h"
#include "search/list_input.h"
#include "base/file_error.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using lexoria::fuzz::require;

const std::string indexName = "Wlist.idx";

// The lines of the input, counting a lone CR, a lone LF and CR LF as one end.
int linesIn(std::string_view bytes)
{
    int lines = 1;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    return lines;
}

bool namesALine(const std::string& message, int lines)
{
    const auto line = lexoria::fuzz::lineNamed(message, indexName);
    return line && *line >= 1 && *line <= lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int lines = linesIn(bytes);
    try {
        lexoria::ListInput input(bytes, indexName);
        std::size_t fields = 0;
        while (!input.atEnd()) {
            require(input.lineNumber() >= 1 && input.lineNumber() <= lines, "the line of the next field lies in the input");
            input.readField();
            // Each field but one after a final comma takes at least one byte.
            require(++fields <= size + 1, "every field moves the reader forward");
        }
    } catch (const lexoria::FileError& error) {
        require(namesALine(error.what(), lines), "a failure names the index file and a line of it");
    }
    return 0;
}
