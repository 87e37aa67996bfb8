#include "window/layout.h"

#include <gtest/gtest.h>

namespace {

TEST(RightGroupLayoutTest, PlacesTheGroupAndSizesTheView)
{
    // Window: outer width, outer height, Close width, busy-lamp width, view
    // top. Layout: Close, Minimise, busy lamp, ready lamp, Help, view width
    // and height.
    using L = lexoria::RightGroupLayout;
    const std::tuple<const char*, lexoria::RightGroupInput, L> cases[] = {
        {"design window", {11940, 8385, 480, 480, 500}, {11340, 10860, 10380, 10380, 9900, 11820, 7765}},
        {"narrower than Close and frame: absolute values", {400, 8385, 480, 480, 500}, {200, 280, 200, 200, 280, 280, 7765}},
        {"minimised and reported tiny: nothing negative", {0, 0, 480, 480, 500}, {600, 120, 360, 360, 120, 120, 620}},
        // Minimise steps by the Close button's width, not its own.
        {"wider Close opens a gap", {11940, 8385, 600, 480, 500}, {11220, 10620, 10140, 10140, 9660, 11820, 7765}},
        {"narrower busy lamp: Help overlaps the lamps", {11940, 8385, 480, 300, 500}, {11340, 10860, 10560, 10560, 10260, 11820, 7765}},
    };
    for (const auto& [name, window, expected] : cases) {
        SCOPED_TRACE(name);
        const L got = lexoria::layoutRightGroup(window);
        for (auto field : {&L::closeLeft, &L::minimiseLeft, &L::busyLampLeft, &L::readyLampLeft, &L::helpLeft, &L::viewWidth, &L::viewHeight})
            EXPECT_FLOAT_EQ(got.*field, expected.*field);
    }
}

}  // namespace
