#pragma once

#include <string>
#include <string_view>

namespace lexoria {

// The search box delivers Unicode; the query is Windows-1250. A character
// that Windows-1250 lacks is dropped, and so is every byte of an invalid
// UTF-8 sequence.
std::string cp1250FromUtf8(std::string_view utf8);

// Whether bytes are well-formed UTF-8 throughout: no malformed or overlong
// sequence, surrogate or code point beyond U+10FFFF.
bool isUtf8(std::string_view bytes);

// Titles, pages and the language file's texts are ISO-8859-2; the toolkit
// and the terminal want UTF-8.
std::string utf8FromLatin2(std::string_view iso88592);

// Text for an ISO-8859-2 page: a character that the code page lacks becomes
// a numeric character reference, so that it still shows, never a "?". The
// input is well-formed UTF-8; a malformed byte becomes U+FFFD's reference.
std::string latin2FromUtf8(std::string_view utf8);

}  // namespace lexoria
