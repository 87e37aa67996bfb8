// ListInput over arbitrary bytes: it yields fields until the end, or throws a
// FileError that names the file and a line of the input, and every field
// moves it forward, so it cannot loop.
#include "fuzz_support.h"
#include "search/list_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // A lone CR, a lone LF and CR LF each end one line.
    int lines = 1;
    for (std::size_t i = 0; i < size; ++i)
        lines += bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == size || bytes[i + 1] != '\n'));
    try {
        lexoria::ListInput input(bytes, "Wlist.idx");
        std::size_t fields = 0;
        while (!input.atEnd()) {
            require(input.lineNumber() >= 1 && input.lineNumber() <= lines, "the line of the next field lies in the input");
            input.readField();
            // Each field but one after a final comma takes at least one byte.
            require(++fields <= size + 1, "every field moves the reader forward");
        }
    } catch (const lexoria::FileError& error) {
        require(namesALine(error, "Wlist.idx", lines), "a failure names the index file and a line of it");
    }
    return 0;
}
