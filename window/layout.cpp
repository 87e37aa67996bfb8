#include "window/layout.h"

#include <cmath>

namespace lexoria {

namespace {

// The sizing frame takes 60 twips on each side.
constexpr float frameMargin = 120.0f;

}  // namespace

// Minimise steps left by the Close button's width and Help by the busy
// lamp's, not by their own: with pictures of equal width the five stand edge
// to edge, and a skin with other widths opens a gap or makes them overlap.
RightGroupLayout layoutRightGroup(const RightGroupInput& window)
{
    RightGroupLayout layout{};
    layout.closeLeft = std::fabs(window.outerWidth - window.closeWidth - frameMargin);
    layout.minimiseLeft = std::fabs(layout.closeLeft - window.closeWidth);
    layout.busyLampLeft = std::fabs(layout.minimiseLeft - window.busyLampWidth);
    layout.readyLampLeft = std::fabs(layout.busyLampLeft);
    layout.helpLeft = std::fabs(layout.busyLampLeft - window.busyLampWidth);
    layout.viewWidth = std::fabs(window.outerWidth - frameMargin);
    layout.viewHeight = std::fabs(window.outerHeight - window.viewTop - frameMargin);
    return layout;
}

}  // namespace lexoria
