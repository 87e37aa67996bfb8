#include "window/zoom_steps.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace lexoria {

namespace {

constexpr std::array zoomSteps = {0.25, 1.0 / 3.0, 0.5, 2.0 / 3.0, 0.75, 0.8, 0.9, 1.0,
                                  1.1,  1.25,      1.5, 1.75,      2.0,  2.5, 3.0, 4.0, 5.0};
// Factors read back from the view are rounded; within this they count as
// the step itself.
constexpr double sameStep = 1e-3;

}  // namespace

double nextZoomStep(double current, int steps)
{
    // The first step at or above current, and whether current stands on it.
    const auto at = std::lower_bound(zoomSteps.begin(), zoomSteps.end(), current - sameStep);
    const bool onStep = at != zoomSteps.end() && *at - current < sameStep;
    const long here = std::distance(zoomSteps.begin(), at);
    long target = here + steps;
    if (!onStep && steps > 0)
        target = here + steps - 1;
    const long last = static_cast<long>(zoomSteps.size()) - 1;
    return zoomSteps[static_cast<std::size_t>(std::clamp(target, 0L, last))];
}

}  // namespace lexoria
