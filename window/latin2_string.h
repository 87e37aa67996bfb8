#pragma once

#include "search/codepage.h"

#include <QString>

#include <string_view>

// The statute's and the language file's texts are ISO-8859-2 bytes; the
// toolkit shows Unicode.
inline QString qStringFromLatin2(std::string_view latin2)
{
    return QString::fromStdString(lexoria::utf8FromLatin2(latin2));
}
