#pragma once

#include "search/vector_paths.h"

#include <cstddef>
#include <string_view>

namespace lexoria {

// Whether a needle occurs in a text as a byte string, the test the search
// makes on every page. An empty needle occurs in every text.
//
// Blocks of the text are compared at once against two bytes of the needle,
// chosen as the two rarest in lower-cased Slovene HTML, and only where both
// agree is the whole needle compared. A plain search for the first byte
// would stop at every "z" of "zakon" when looking for "zakonodajalec".
class SubstringTest {
public:
    explicit SubstringTest(std::string_view needle);

    bool foundIn(std::string_view text) const;

    // The two offsets into the needle whose bytes filter the text; they
    // differ unless the needle is one byte long.
    struct Filter {
        std::size_t first;
        std::size_t second;
    };

    // The scans foundIn chooses from, for needles of one byte or more; tests
    // try each. On x86-64 the filter scans sixteen bytes at a time, as every
    // such processor can, or thirty-two where it has AVX2 (see hasAvx2);
    // elsewhere sixteen bytes at a time in the compiler's vectors. A needle
    // whose first filter byte the pages hardly ever hold is looked for by
    // that byte alone.
    using Scan = bool (*)(std::string_view text, std::string_view needle, Filter filter);
#if LEXORIA_X86_VECTORS
    static bool foundSse2(std::string_view text, std::string_view needle, Filter filter);
    static bool foundAvx2(std::string_view text, std::string_view needle, Filter filter);
#else
    static bool foundByVectors(std::string_view text, std::string_view needle, Filter filter);
#endif
    static bool foundByRareByte(std::string_view text, std::string_view needle, Filter filter);

    Filter filter() const { return filter_; }

private:
    std::string_view needle_;
    Filter filter_;
    Scan scan_;
};

}  // namespace lexoria
