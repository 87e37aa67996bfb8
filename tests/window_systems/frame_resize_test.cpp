#include "window/frame_resize.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QRect& r, std::ostream* os) { *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height(); }

// Grabbed at (500, 400) on a window at (100, 50) of 300 x 200, smallest
// 20 x 20; the opposite edges must stay put, also where the pointer goes
// past the smallest size.
TEST(FrameResizeTest, GrabbedEdgesFollowThePointerAndOppositeEdgesStay)
{
    const QRect start(100, 50, 300, 200);
    const struct { const char* grabbed; Qt::Edges edges; QPoint pointer; QRect expected; } cases[] = {
        {"right edge", Qt::RightEdge, {600, 430}, {100, 50, 400, 200}},
        {"bottom-right corner", Qt::RightEdge | Qt::BottomEdge, {600, 430}, {100, 50, 400, 230}},
        {"left edge", Qt::LeftEdge, {450, 400}, {50, 50, 350, 200}}, {"top-left corner", Qt::LeftEdge | Qt::TopEdge, {550, 420}, {150, 70, 250, 180}},
        {"left edge past the smallest size", Qt::LeftEdge, {900, 400}, {380, 50, 20, 200}},
        {"top edge past the smallest size", Qt::TopEdge, {500, 900}, {100, 230, 300, 20}},
        {"right edge past the smallest size", Qt::RightEdge, {0, 400}, {100, 50, 20, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grabbed);
        const FrameResize resize{c.edges, start, {500, 400}};
        EXPECT_EQ(resize.geometryAt(c.pointer, {20, 20}), c.expected);
    }
}
