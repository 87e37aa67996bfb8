#include "search/substring.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <immintrin.h>

namespace lexoria {

namespace {

// Bytes of lower-cased Slovene HTML, the most frequent first: the space,
// the letters, the markup, the digits. A byte not listed, such as a capital,
// which lowered pages do not hold, is rarer than all of them.
constexpr std::string_view byFrequency =
    " aeoinrlstjvkdpmzbu\xE8g<>\"=/.c\xB9\xBE\r\nh():;0123456789f,-";

constexpr std::array<unsigned char, 256> frequencyRank = [] {
    std::array<unsigned char, 256> rank{};
    for (std::size_t i = 0; i < byFrequency.size(); ++i)
        rank[static_cast<unsigned char>(byFrequency[i])] = static_cast<unsigned char>(byFrequency.size() - i);
    return rank;
}();

unsigned char rankAt(std::string_view needle, std::size_t offset)
{
    return frequencyRank[static_cast<unsigned char>(needle[offset])];
}

// The offset of the rarest byte of the needle, leaving out one offset.
std::size_t rarestOffset(std::string_view needle, std::size_t except)
{
    std::size_t best = except == 0 ? 1 : 0;
    for (std::size_t offset = best + 1; offset < needle.size(); ++offset)
        if (offset != except && rankAt(needle, offset) < rankAt(needle, best))
            best = offset;
    return best;
}

SubstringTest::Filter rarestPair(std::string_view needle)
{
    if (needle.size() < 2)
        return {0, 0};
    const std::size_t first = rarestOffset(needle, needle.size());
    return {first, rarestOffset(needle, first)};
}

// Whether the needle starts at one of the block's candidate offsets, bit i
// of `candidates` standing for block + i.
bool startsAtCandidate(std::uint32_t candidates, const char* block, std::string_view needle)
{
    for (; candidates != 0; candidates &= candidates - 1)
        if (std::memcmp(block + std::countr_zero(candidates), needle.data(), needle.size()) == 0)
            return true;
    return false;
}

// The number of whole blocks of `width` needle starts that fit in the text.
std::size_t wholeBlocks(std::string_view text, std::string_view needle, std::size_t width)
{
    return (text.size() - needle.size() + 1) / width;
}

// The starts after the whole blocks, fewer than a block, tested plainly.
bool foundInRest(std::string_view text, std::size_t from, std::string_view needle)
{
    return text.substr(from).find(needle) != std::string_view::npos;
}

bool foundMemchr(std::string_view text, std::string_view needle, SubstringTest::Filter)
{
    return std::memchr(text.data(), needle[0], text.size()) != nullptr;
}

}  // namespace

bool SubstringTest::foundSse2(std::string_view text, std::string_view needle, Filter filter)
{
    if (needle.size() > text.size())
        return false;
    constexpr std::size_t width = sizeof(__m128i);
    const __m128i first = _mm_set1_epi8(needle[filter.first]);
    const __m128i second = _mm_set1_epi8(needle[filter.second]);
    const std::size_t blocks = wholeBlocks(text, needle, width);
    const char* block = text.data();
    for (std::size_t i = 0; i < blocks; ++i, block += width) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + filter.first));
        const __m128i atSecond = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + filter.second));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atSecond, second));
        const auto candidates = static_cast<std::uint32_t>(_mm_movemask_epi8(both));
        if (candidates != 0 && startsAtCandidate(candidates, block, needle))
            return true;
    }
    return foundInRest(text, blocks * width, needle);
}

__attribute__((target("avx2")))
bool SubstringTest::foundAvx2(std::string_view text, std::string_view needle, Filter filter)
{
    if (needle.size() > text.size())
        return false;
    constexpr std::size_t width = sizeof(__m256i);
    const __m256i first = _mm256_set1_epi8(needle[filter.first]);
    const __m256i second = _mm256_set1_epi8(needle[filter.second]);
    const std::size_t blocks = wholeBlocks(text, needle, width);
    const char* block = text.data();
    for (std::size_t i = 0; i < blocks; ++i, block += width) {
        const __m256i atFirst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + filter.first));
        const __m256i atSecond = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + filter.second));
        const __m256i both = _mm256_and_si256(_mm256_cmpeq_epi8(atFirst, first), _mm256_cmpeq_epi8(atSecond, second));
        const auto candidates = static_cast<std::uint32_t>(_mm256_movemask_epi8(both));
        if (candidates != 0 && startsAtCandidate(candidates, block, needle))
            return true;
    }
    return foundInRest(text, blocks * width, needle);
}

bool SubstringTest::hasAvx2()
{
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
}

SubstringTest::SubstringTest(std::string_view needle)
    : needle_(needle),
      filter_(rarestPair(needle)),
      // glibc's memchr already runs a single byte through the widest vectors.
      scan_(needle.size() == 1 ? foundMemchr : hasAvx2() ? foundAvx2 : foundSse2)
{
}

bool SubstringTest::foundIn(std::string_view text) const
{
    return needle_.empty() || scan_(text, needle_, filter_);
}

}  // namespace lexoria
