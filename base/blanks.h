#pragma once

#include <cstddef>
#include <string_view>

namespace lexoria {

// List input passes over spaces and tabs around its fields.
inline constexpr std::string_view listBlanks = " \t";
// HTML's white space, between the words of a tag.
inline constexpr std::string_view htmlSpaces = " \t\r\n\f";

constexpr bool isOneOf(std::string_view set, char c)
{
    return set.find(c) != std::string_view::npos;
}

// Where the first byte at or after pos that is not one of blanks stands: the
// text's size when there is none.
constexpr std::size_t skipBlanks(std::string_view text, std::size_t pos, std::string_view blanks)
{
    const std::size_t found = text.find_first_not_of(blanks, pos);
    return found == std::string_view::npos ? text.size() : found;
}

}  // namespace lexoria
