#include "resources/leading_number.h"

#include "base/blanks.h"

#include <cstddef>
#include <string>

namespace lexoria {

namespace {

// Steps through a line the way list input does: blanks, tabs and line feeds
// may stand anywhere before or inside a number and are passed over.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) {}

    char peek()
    {
        pos_ = skipBlanks(text_, pos_, blanks);
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }
    void advance() { ++pos_; }

private:
    static constexpr std::string_view blanks = " \t\n";

    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> digitValue(char c, int radix)
{
    int value = -1;
    if (isDigit(c))
        value = c - '0';
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    if (value < 0 || value >= radix)
        return std::nullopt;
    return value;
}

// "&H" and "&O" numbers are the bit pattern of a 16-bit integer, as in the
// old BASIC: "&HFFFF" is -1 and "&H8000" is -32768. Wider patterns do not fit.
std::optional<std::int16_t> radixNumber(Cursor& in, int radix)
{
    unsigned value = 0;
    while (auto digit = digitValue(in.peek(), radix)) {
        in.advance();
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(*digit);
        if (value > 0xFFFF)
            return std::nullopt;
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
}

// Decimal exponents this large already push any mantissa out of range (or to
// zero); capping them keeps the arithmetic below from overflowing.
constexpr long exponentCap = 1'000'000;

long exponentOf(Cursor& in)
{
    char marker = in.peek();
    if (marker != 'E' && marker != 'e' && marker != 'D' && marker != 'd')
        return 0;
    in.advance();
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }
    long exponent = 0;
    while (isDigit(in.peek())) {
        if (exponent < exponentCap)
            exponent = exponent * 10 + (in.peek() - '0');
        in.advance();
    }
    return negative ? -exponent : exponent;
}

// Rounds 0.digits × 10^point (digits without leading zeros) half to even,
// exactly in decimal, so long digit strings cannot suffer binary rounding.
std::optional<long> roundedMagnitude(const std::string& digits, long point)
{
    constexpr long maxWholeDigits = 5;  // 32768 has five
    if (point > maxWholeDigits)
        return std::nullopt;
    if (point < 0)
        return 0;  // below 0.1
    auto wholeDigits = static_cast<std::size_t>(point);
    long whole = 0;
    for (std::size_t i = 0; i < wholeDigits; ++i)
        whole = whole * 10 + (i < digits.size() ? digits[i] - '0' : 0);
    if (digits.size() <= wholeDigits)
        return whole;
    char first = digits[wholeDigits];
    bool beyondHalf = digits.find_first_not_of('0', wholeDigits + 1) != std::string::npos;
    bool roundUp = first > '5' || (first == '5' && (beyondHalf || whole % 2 == 1));
    return whole + (roundUp ? 1 : 0);
}

std::optional<std::int16_t> decimalNumber(Cursor& in)
{
    bool negative = false;
    if (in.peek() == '+' || in.peek() == '-') {
        negative = in.peek() == '-';
        in.advance();
    }
    std::string digits;
    long point = 0;
    for (; isDigit(in.peek()); in.advance(), ++point)
        digits += in.peek();
    if (in.peek() == '.') {
        in.advance();
        for (; isDigit(in.peek()); in.advance())
            digits += in.peek();
    }
    point += exponentOf(in);

    std::size_t significant = digits.find_first_not_of('0');
    if (significant == std::string::npos)
        return 0;
    digits.erase(0, significant);
    point -= static_cast<long>(significant);

    std::optional<long> magnitude = roundedMagnitude(digits, point);
    if (!magnitude)
        return std::nullopt;
    long value = negative ? -*magnitude : *magnitude;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

}  // namespace

std::optional<std::int16_t> leadingNumber(std::string_view line)
{
    Cursor in(line);
    if (in.peek() != '&')
        return decimalNumber(in);
    in.advance();
    char radix = in.peek();
    in.advance();
    if (radix == 'H' || radix == 'h')
        return radixNumber(in, 16);
    if (radix == 'O' || radix == 'o')
        return radixNumber(in, 8);
    return 0;  // an ampersand that starts no number
}

}  // namespace lexoria
