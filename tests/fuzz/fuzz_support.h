#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace lexoria::fuzz {

// A broken property aborts, so that libFuzzer keeps the input as a finding.
inline void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// Whether message reads "path line N: what" with N in 1..lines.
inline bool namesALine(const std::string& message, const std::string& path, long lines)
{
    const std::string prefix = path + " line ";
    const std::size_t colon = message.find(": ", prefix.size());
    if (message.rfind(prefix, 0) != 0 || colon == std::string::npos || colon == prefix.size()
        || colon - prefix.size() > 9)
        return false;
    const std::string digits = message.substr(prefix.size(), colon - prefix.size());
    return digits.find_first_not_of("0123456789") == std::string::npos && std::stol(digits) >= 1
           && std::stol(digits) <= lines;
}

}  // namespace lexoria::fuzz
