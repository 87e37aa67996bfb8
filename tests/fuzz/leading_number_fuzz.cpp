// leadingNumber over arbitrary lines. Blanks before the number change
// nothing, and a plain decimal of at most fifteen digits (a double holds
// these exactly enough to tell a half) rounds as the floating-point unit
// rounds it, half to even, within 16 bits.
#include "fuzz_support.h"
#include "resources/leading_number.h"

#include <cfenv>
#include <cmath>
#include <regex>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int16_t> number = lexoria::leadingNumber(line);
    require(lexoria::leadingNumber(" \t\n" + line) == number, "blanks before the number change nothing");
    const auto digits = std::count_if(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (size > 17 || digits < 1 || digits > 15 || !std::regex_match(line, std::regex("[+-]?[0-9]*\\.?[0-9]*")))
        return 0;
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(std::strtod(line.c_str(), nullptr));
    require(number == (rounded < -32768 || rounded > 32767 ? std::nullopt : std::optional<std::int16_t>(rounded)),
            "a plain decimal rounds half to even");
    return 0;
}
