// leadingNumber over arbitrary lines. Blanks before the number change
// nothing, and a plain decimal of at most fifteen digits rounds as the
// floating-point unit rounds it, half to even, within 16 bits.

#include "require.h"
#include "resources/leading_number.h"

#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using lexoria::fuzz::require;

constexpr std::size_t exactDigits = 15;  // a double holds these exactly enough to tell a half

// Whether text is [+-]digits[.digits] with at most exactDigits digits.
bool isPlainDecimal(std::string_view text)
{
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    std::size_t digits = 0;
    bool point = false;
    for (char c : text) {
        if (c == '.' && !point)
            point = true;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return digits > 0 && digits <= exactDigits;
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
    const std::string line(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int16_t> number = lexoria::leadingNumber(line);
    require(lexoria::leadingNumber(" \t\n" + line) == number, "blanks before the number change nothing");
    if (isPlainDecimal(line))
        require(number == roundedByTheMachine(line), "a plain decimal rounds half to even");
    return 0;
}
