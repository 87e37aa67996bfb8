#pragma once

#include <string>

namespace lexoria {

// The Windows-1250 lower-case map: each byte taken as a Windows-1250
// character, lowered, and written back as its Windows-1250 byte. The page
// texts get it although they are ISO-8859-2, and so does the query.
unsigned char cp1250Lower(unsigned char c);

// Lowers every byte of text; runs over the whole statute at load.
void cp1250LowerInPlace(std::string& text);

}  // namespace lexoria
