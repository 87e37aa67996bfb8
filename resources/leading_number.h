#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lexoria {

// The number at the start of a language-file line, read the way the old
// BASIC list input read it, rounded half to even. Empty when the rounded
// value does not fit a 16-bit signed integer.
std::optional<std::int16_t> leadingNumber(std::string_view line);

}  // namespace lexoria
