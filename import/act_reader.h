#pragma once

#include "import/act.h"

#include <string>
#include <string_view>

namespace lexoria {

// Reads an Akoma Ntoso act: the OASIS 3.0 namespace or LegalDocML.de's
// "http://Inhaltsdaten.LegalDocML.de/1.N/". No DTD is read and no external
// entity resolved. Throws FileError naming path and the line at fault when
// the bytes are not well-formed XML or hold no act.
Act readAct(std::string_view xml, const std::string& path);

}  // namespace lexoria
