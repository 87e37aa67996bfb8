#pragma once

#include <algorithm>
#include <optional>
#include <string>

namespace lexoria::fuzz {

// The line N of a message "path line N: what", or nothing when the message
// does not have that form.
inline std::optional<long> lineNamed(const std::string& message, const std::string& path)
{
    const std::string prefix = path + " line ";
    if (message.rfind(prefix, 0) != 0)
        return std::nullopt;
    const std::size_t colon = message.find(": ", prefix.size());
    if (colon == std::string::npos || colon == prefix.size() || colon - prefix.size() > 9)
        return std::nullopt;
    const auto first = message.begin() + static_cast<long>(prefix.size());
    const auto last = message.begin() + static_cast<long>(colon);
    if (!std::all_of(first, last, [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return std::stol(std::string(first, last));
}

}  // namespace lexoria::fuzz
