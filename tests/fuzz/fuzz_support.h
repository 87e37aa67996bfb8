#pragma once

#include "base/file_error.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

// Each fuzz target is a program of its own, so these need no namespace.

// A broken property aborts, so that libFuzzer keeps the input as a finding.
inline void require(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

// Whether the failure names the file and a line N in 1..lines; its message,
// "path line N: what", is made from these.
inline bool namesALine(const lexoria::FileError& error, std::string_view path, long lines)
{
    return error.path() == path && error.line() >= 1 && error.line() <= lines;
}
