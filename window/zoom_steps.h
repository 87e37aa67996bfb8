#pragma once

namespace lexoria {

// The zoom factor that steps (+1 larger, -1 smaller, and so on) away from
// current in the usual steps of a web browser, 25 % to 500 %. A factor
// between two steps moves to the neighbouring step in that direction; the
// ends stay where they are.
double nextZoomStep(double current, int steps);

}  // namespace lexoria
