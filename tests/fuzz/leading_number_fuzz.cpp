// leadingNumber over arbitrary lines. Blanks before the number change
// nothing, and a plain decimal of at most fifteen digits (a double holds
// these exactly enough to tell a half) rounds as the floating-point unit
// rounds it, half to even, within 16 bits.
#include "fuzz_support.h"
#include "resources/leading_number.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace {

// Whether text is [+-]digits[.digits] with 1..15 digits.
bool isPlainDecimal(std::string_view text)
{
    if (text.starts_with('+') || text.starts_with('-'))
        text.remove_prefix(1);
    const auto digits = std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto points = std::count(text.begin(), text.end(), '.');
    return digits >= 1 && digits <= 15 && points <= 1 && static_cast<std::size_t>(digits + points) == text.size();
}

std::optional<std::int16_t> roundedByTheMachine(const std::string& text)
{
    std::fesetround(FE_TONEAREST);
    const double value = std::nearbyint(std::strtod(text.c_str(), nullptr));
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using lexoria::fuzz::require;
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int16_t> number = lexoria::leadingNumber(line);
    require(lexoria::leadingNumber(" \t\n" + line) == number, "blanks before the number change nothing");
    if (isPlainDecimal(line))
        require(number == roundedByTheMachine(line), "a plain decimal rounds half to even");
    return 0;
}
