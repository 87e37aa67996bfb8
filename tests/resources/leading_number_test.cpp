#include "resources/leading_number.h"

#include <gtest/gtest.h>

#include <utility>

constexpr std::nullopt_t wide = std::nullopt;  // does not fit 16 bits

// Lines and the number each starts with.
const std::pair<std::string, std::optional<std::int16_t>> numberCases[] = {
    // No number at all.
    {"", 0}, {"Button:Back", 0}, {"    Frame:x", 0}, {".", 0}, {"-", 0},
    // Plain digits, and where reading stops.
    {"00  Button:Back", 0}, {"12  Button:Copy", 12}, {"12ab", 12}, {"1.2.3", 1}, {"1,5", 1}, {"000000000000000000000012", 12},
    // Blanks, tabs and line feeds before and inside the number.
    {"1 2 Button:x", 12}, {"\t7\tButton:x", 7}, {" \n 1\t3", 13}, {"- 5", -5}, {"+7", 7},
    // Half to even, exactly.
    {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"0.5", 0}, {".5", 0}, {"2.49999999999999999999999", 2}, {"2.50000000000000000000001", 3}, {"12.5", 12},
    // Exponents, E or D.
    {"1D2", 100}, {"1E2", 100}, {"1e+2", 100}, {"25E-1", 2}, {"35d-1", 4}, {"1E", 1}, {"1E+", 1},
    {"0.000000000000000000009e22", 90}, {"1e-999", 0}, {"0e99999999999999999999", 0},
    // The 16-bit range.
    {"32767", 32767}, {"-32768", -32768}, {"-32768.5", -32768}, {"32768", wide}, {"-32769", wide}, {"32767.5", wide},
    {"99999999999999999999", wide}, {"1E5", wide}, {"1e999", wide}, {"1e99999999999999999999", wide},
    // Hexadecimal and octal: 16-bit patterns.
    {"&H1F", 31}, {"&h1f", 31}, {"& H 1 F", 31}, {"&O17", 15}, {"&o17", 15}, {"&O8", 0}, {"&H7FFF", 32767},
    {"&H8000", -32768}, {"&HFFFF", -1}, {"&O177777", -1}, {"&H0000FFFF", -1}, {"&H10000", wide}, {"&O200000", wide},
    {"&HFFFFFFFFFFFFFFFFFFFFFFFF", wide}, {"&H", 0}, {"&HG", 0}, {"&X12", 0}, {"-&H10", 0},
};

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfTheLine)
{
    for (const auto& [line, number] : numberCases)
        EXPECT_EQ(lexoria::leadingNumber(line), number) << "line \"" << line << '"';
}
