#pragma once

#include <cmath>

// Positions and sizes of the window design are twips: 15 to a logical pixel.
constexpr float twipsPerPixel = 15.0f;

inline int pixelsFromTwips(float twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }
inline float twipsFromPixels(float pixels) { return pixels * twipsPerPixel; }
