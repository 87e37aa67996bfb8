#include "search/substring.h"

#include "search/vector_paths.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#if LEXORIA_X86_VECTORS
#include <immintrin.h>
#else
#include "search/byte_vector.h"
#endif

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

// A block of needle starts, from `block` on, where both filter bytes agree
// for at least one start: bit i of `candidates` stands for block + i.
struct Agreement {
    const char* block;
    std::uint32_t candidates;
};

#if LEXORIA_X86_VECTORS
// The scan for agreeing blocks runs without calls, so that the filter bytes
// stay in vector registers; the rare candidates are compared outside it.
Agreement nextAgreementSse2(const char* block, const char* end, std::string_view needle, SubstringTest::Filter filter)
{
    const __m128i first = _mm_set1_epi8(needle[filter.first]);
    const __m128i second = _mm_set1_epi8(needle[filter.second]);
    for (; block != end; block += sizeof(__m128i)) {
        const __m128i atFirst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + filter.first));
        const __m128i atSecond = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + filter.second));
        const __m128i both = _mm_and_si128(_mm_cmpeq_epi8(atFirst, first), _mm_cmpeq_epi8(atSecond, second));
        if (const auto candidates = static_cast<std::uint32_t>(_mm_movemask_epi8(both)))
            return {block, candidates};
    }
    return {end, 0};
}

__attribute__((target("avx2"), always_inline)) inline __m256i
agreeingAvx2(const char* block, SubstringTest::Filter filter, __m256i first, __m256i second)
{
    const __m256i atFirst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + filter.first));
    const __m256i atSecond = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + filter.second));
    return _mm256_and_si256(_mm256_cmpeq_epi8(atFirst, first), _mm256_cmpeq_epi8(atSecond, second));
}

// Four blocks a step while none agrees, the common case, then block by block.
__attribute__((target("avx2")))
Agreement nextAgreementAvx2(const char* block, const char* end, std::string_view needle, SubstringTest::Filter filter)
{
    constexpr std::size_t width = sizeof(__m256i);
    const __m256i first = _mm256_set1_epi8(needle[filter.first]);
    const __m256i second = _mm256_set1_epi8(needle[filter.second]);
    for (; static_cast<std::size_t>(end - block) >= 4 * width; block += 4 * width) {
        const __m256i any = _mm256_or_si256(
            _mm256_or_si256(agreeingAvx2(block, filter, first, second), agreeingAvx2(block + width, filter, first, second)),
            _mm256_or_si256(agreeingAvx2(block + 2 * width, filter, first, second),
                            agreeingAvx2(block + 3 * width, filter, first, second)));
        if (!_mm256_testz_si256(any, any))
            break;
    }
    for (; block != end; block += width)
        if (const auto candidates = static_cast<std::uint32_t>(_mm256_movemask_epi8(agreeingAvx2(block, filter, first, second))))
            return {block, candidates};
    return {end, 0};
}
#else
// Bit i for each lane i that is all ones, what x86 does in one instruction;
// asked only of the rare blocks that agree somewhere.
std::uint32_t laneBits(ByteVector lanes)
{
    std::uint32_t bits = 0;
    for (unsigned lane = 0; lane < sizeof lanes; ++lane)
        bits |= (lanes[lane] & 1u) << lane;
    return bits;
}

bool anyLaneSet(ByteVector lanes)
{
    std::uint64_t halves[2];
    std::memcpy(halves, &lanes, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

Agreement nextAgreementVectors(const char* block, const char* end, std::string_view needle,
                               SubstringTest::Filter filter)
{
    const ByteVector first = ByteVector{} + static_cast<unsigned char>(needle[filter.first]);
    const ByteVector second = ByteVector{} + static_cast<unsigned char>(needle[filter.second]);
    for (; block != end; block += sizeof(ByteVector)) {
        const auto both = reinterpret_cast<ByteVector>((loadBytes(block + filter.first) == first)
                                                       & (loadBytes(block + filter.second) == second));
        if (anyLaneSet(both))
            return {block, laneBits(both)};
    }
    return {end, 0};
}
#endif

// Whether the needle starts at one of the agreement's candidates.
bool startsAtCandidate(Agreement agreement, std::string_view needle)
{
    for (std::uint32_t left = agreement.candidates; left != 0; left &= left - 1)
        if (std::memcmp(agreement.block + std::countr_zero(left), needle.data(), needle.size()) == 0)
            return true;
    return false;
}

// The scan in blocks of `width` starts, as many as fit whole in the text;
// the few starts after them are tested plainly.
template <std::size_t width, auto nextAgreement>
bool foundByBlocks(std::string_view text, std::string_view needle, SubstringTest::Filter filter)
{
    if (needle.size() > text.size())
        return false;
    const std::size_t starts = text.size() - needle.size() + 1;
    const char* const end = text.data() + starts / width * width;
    for (Agreement at = nextAgreement(text.data(), end, needle, filter); at.block != end;
         at = nextAgreement(at.block + width, end, needle, filter))
        if (startsAtCandidate(at, needle))
            return true;
    return text.substr(starts / width * width).find(needle) != std::string_view::npos;
}

// A byte the pages hardly ever hold is found faster by glibc's memchr alone
// than by the two-byte filter, and so is the single byte of a short needle.
SubstringTest::Scan chosenScan(std::string_view needle, SubstringTest::Filter filter)
{
    if (needle.size() == 1 || frequencyRank[static_cast<unsigned char>(needle[filter.first])] == 0)
        return SubstringTest::foundByRareByte;
#if LEXORIA_X86_VECTORS
    return hasAvx2() ? SubstringTest::foundAvx2 : SubstringTest::foundSse2;
#else
    return SubstringTest::foundByVectors;
#endif
}

}  // namespace

#if LEXORIA_X86_VECTORS
bool SubstringTest::foundSse2(std::string_view text, std::string_view needle, Filter filter)
{
    return foundByBlocks<sizeof(__m128i), nextAgreementSse2>(text, needle, filter);
}

bool SubstringTest::foundAvx2(std::string_view text, std::string_view needle, Filter filter)
{
    return foundByBlocks<sizeof(__m256i), nextAgreementAvx2>(text, needle, filter);
}
#else
bool SubstringTest::foundByVectors(std::string_view text, std::string_view needle, Filter filter)
{
    return foundByBlocks<sizeof(ByteVector), nextAgreementVectors>(text, needle, filter);
}
#endif

bool SubstringTest::foundByRareByte(std::string_view text, std::string_view needle, Filter filter)
{
    if (needle.size() > text.size())
        return false;
    const char rare = needle[filter.first];
    const char* at = text.data() + filter.first;
    const char* const end = at + (text.size() - needle.size() + 1);
    while ((at = static_cast<const char*>(std::memchr(at, rare, end - at)))) {
        if (std::memcmp(at - filter.first, needle.data(), needle.size()) == 0)
            return true;
        ++at;
    }
    return false;
}

SubstringTest::SubstringTest(std::string_view needle)
    : needle_(needle),
      filter_(rarestPair(needle)),
      scan_(needle.empty() ? nullptr : chosenScan(needle, filter_))
{
}

bool SubstringTest::foundIn(std::string_view text) const
{
    return needle_.empty() || scan_(text, needle_, filter_);
}

}  // namespace lexoria
