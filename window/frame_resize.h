#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// A resize by the sizing frame that the window carries out itself, where the
// window system will not (a bare X server has no window manager to ask).
// Only the grabbed edges follow the pointer; the opposite edges stay put,
// also when the window reaches its smallest size.
struct FrameResize {
    Qt::Edges edges;
    QRect startGeometry;
    QPoint startPointer;

    QRect geometryAt(QPoint pointer, QSize minimum) const;
};
