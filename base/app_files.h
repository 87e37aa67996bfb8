#pragma once

// The fixed names in the application directory: the reader, lexoria-search
// and lexoria-check all find the statute, the texts and the skin under them.
namespace lexoria::appFiles {

inline constexpr char homePage[] = "index.html";
inline constexpr char helpPage[] = "Help.html";
inline constexpr char index[] = "Wlist.idx";
inline constexpr char languageFile[] = "slo.lng";
inline constexpr char skinFolder[] = "Skin";
// The one file the reader writes.
inline constexpr char resultsPage[] = "found.html";

}  // namespace lexoria::appFiles
