#include "window/frame_resize.h"

#include <algorithm>

QRect FrameResize::geometryAt(QPoint pointer, QSize minimum) const
{
    const QPoint motion = pointer - startPointer;
    QRect geometry = startGeometry;
    if (edges & Qt::LeftEdge)
        geometry.setLeft(std::min(geometry.left() + motion.x(), geometry.right() + 1 - minimum.width()));
    if (edges & Qt::RightEdge)
        geometry.setRight(std::max(geometry.right() + motion.x(), geometry.left() + minimum.width() - 1));
    if (edges & Qt::TopEdge)
        geometry.setTop(std::min(geometry.top() + motion.y(), geometry.bottom() + 1 - minimum.height()));
    if (edges & Qt::BottomEdge)
        geometry.setBottom(std::max(geometry.bottom() + motion.y(), geometry.top() + minimum.height() - 1));
    return geometry;
}
