#pragma once

namespace lexoria {

// Where the right-hand group (Close, Minimise, the two lamps, Help) and the
// size of the HTML view go for a window of the given outer size. All values
// are twips in single precision; absolute values keep every result
// non-negative, even for a minimised or very narrow window.
struct RightGroupLayout {
    float closeLeft;
    float minimiseLeft;
    float busyLampLeft;
    float readyLampLeft;
    float helpLeft;
    float viewWidth;
    float viewHeight;
};

struct RightGroupInput {
    float outerWidth;
    float outerHeight;
    float closeWidth;
    float busyLampWidth;
    float viewTop;
};

RightGroupLayout layoutRightGroup(const RightGroupInput& window);

}  // namespace lexoria
