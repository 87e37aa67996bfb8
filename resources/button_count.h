#pragma once

namespace lexoria {

// The main window's picture buttons, the lamps among them, are indices
// 0..12: the skin names a picture and the language file a tip for each.
inline constexpr int buttonCount = 13;

}  // namespace lexoria
