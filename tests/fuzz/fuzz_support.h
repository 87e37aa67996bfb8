#pragma once

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

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
inline bool namesALine(std::string_view message, std::string_view path, long lines)
{
    const std::string_view rest = message.substr(std::min(message.size(), path.size() + 6));
    if (!message.starts_with(path) || !message.substr(path.size()).starts_with(" line "))
        return false;
    long line = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), line);
    return error == std::errc() && std::string_view(end, rest.data() + rest.size()).starts_with(": ") && line >= 1 && line <= lines;
}

}  // namespace lexoria::fuzz
