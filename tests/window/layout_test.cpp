#include "window/layout.h"

#include <gtest/gtest.h>

namespace {

struct LayoutCase {
    const char* name;
    lexoria::RightGroupInput window;
    lexoria::RightGroupLayout expected;
};

class RightGroupLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(RightGroupLayoutTest, PlacesTheGroupAndSizesTheView)
{
    const LayoutCase& c = GetParam();
    const lexoria::RightGroupLayout got = lexoria::layoutRightGroup(c.window);
    EXPECT_FLOAT_EQ(got.closeLeft, c.expected.closeLeft);
    EXPECT_FLOAT_EQ(got.minimiseLeft, c.expected.minimiseLeft);
    EXPECT_FLOAT_EQ(got.busyLampLeft, c.expected.busyLampLeft);
    EXPECT_FLOAT_EQ(got.readyLampLeft, c.expected.readyLampLeft);
    EXPECT_FLOAT_EQ(got.helpLeft, c.expected.helpLeft);
    EXPECT_FLOAT_EQ(got.viewWidth, c.expected.viewWidth);
    EXPECT_FLOAT_EQ(got.viewHeight, c.expected.viewHeight);
}

// Fields: outer width, outer height, Close width, busy-lamp width, view top.
INSTANTIATE_TEST_SUITE_P(
    Cases, RightGroupLayoutTest,
    testing::Values(
        LayoutCase{"DesignWindow", {11940, 8385, 480, 480, 500}, {11340, 10860, 10380, 10380, 9900, 11820, 7765}},
        // Narrower than the Close button plus the frame: absolute values.
        LayoutCase{"NarrowWindow", {400, 8385, 480, 480, 500}, {200, 280, 200, 200, 280, 280, 7765}},
        // A minimised window may be reported tiny: nothing goes negative.
        LayoutCase{"MinimisedWindow", {0, 0, 480, 480, 500}, {600, 120, 360, 360, 120, 120, 620}},
        // A wider Close picture opens a gap before Minimise, which steps by
        // the Close button's width, not its own.
        LayoutCase{"WideCloseButton", {11940, 8385, 600, 480, 500}, {11220, 10620, 10140, 10140, 9660, 11820, 7765}},
        // A narrower busy lamp makes Help overlap the lamps.
        LayoutCase{"NarrowBusyLamp", {11940, 8385, 480, 300, 500}, {11340, 10860, 10560, 10560, 10260, 11820, 7765}}),
    [](const testing::TestParamInfo<LayoutCase>& info) { return info.param.name; });

}  // namespace
