// What a title bar would otherwise give the window: moving it by its
// background, the popup menu, Enter and Escape, the caption while minimised,
// the sizing frame, and the layout of the right-hand group on every resize.
// The left button held down does one of three things, chosen at its press:
// the window system sizes or moves the window, the window sizes itself by the
// frame, or the window follows a drag of its background. Only the last moves
// the window here, so neither a resize nor a press on a control ever does.
#include "window/form1.h"

#include "shell/failure_report.h"
#include "shell/web_browser.h"
#include "window/layout.h"
#include "window/picture_element.h"
#include "window/search_panel.h"
#include "window/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

namespace {

constexpr int keyEnter = 13;
constexpr int keyEscape = 27;

// The key codes the window answers, as the key-up handler knows them.
int keyCodeOf(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keyEnter;
    case Qt::Key_Escape:
        return keyEscape;
    default:
        return event.key();
    }
}

bool windowSystemPlacesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace

void Form1::Form_Resize()
{
    const QSize outer = frameGeometry().size();
    const lexoria::RightGroupLayout layout = lexoria::layoutRightGroup({
        twipsFromPixels(outer.width()),
        twipsFromPixels(outer.height()),
        twipsFromPixels(Image1[7]->width()),
        twipsFromPixels(Image1[busyLamp]->width()),
        twipsFromPixels(WebBrowser1->y() - frameWidth),
    });
    setLeftTwips(Image1[7], layout.closeLeft);
    setLeftTwips(Image1[6], layout.minimiseLeft);
    setLeftTwips(Image1[busyLamp], layout.busyLampLeft);
    setLeftTwips(Image1[readyLamp], layout.readyLampLeft);
    setLeftTwips(Image1[10], layout.helpLeft);
    setWindowTitle(isMinimized() ? QString::fromStdString(strVersion) : QString());
    WebBrowser1->resize(pixelsFromTwips(layout.viewWidth), pixelsFromTwips(layout.viewHeight));
    processPendingEvents();
}

void Form1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void Form1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    Form_Resize();
    // A minimised window is under no pointer, and no pointer move will reach
    // the button that was lit to put it back: the Minimise button itself
    // would still be lit after the restore.
    if (isMinimized())
        runOrEnd(this, [this] { takeBackHighlight(); });
}

void Form1::Form_KeyUp(int keyCode)
{
    if (keyCode == keyEnter && Frame1->isVisible())
        findThis();
    if (keyCode == keyEscape)
        Frame1->hide();
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyRelease && event->type() != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    auto* key = static_cast<QKeyEvent*>(event);
    // A key event reaches the filter once for each widget it travels
    // through; only the first one counts: the focus, or the window itself
    // when no control has the focus.
    QWidget* first = QApplication::focusWidget() ? QApplication::focusWidget() : this;
    if (!widget || key->isAutoRepeat() || (widget->window() == this && widget != first))
        return false;
    const bool inWindow = widget->window() == this;
    bool shortcut = false;
    if (event->type() == QEvent::KeyPress) {
        pressedKeys_.press(key->key(), key->timestamp(), inWindow);
        if (inWindow)
            runOrEnd(this, [&] { shortcut = runShortcut(*key); });
    } else if (pressedKeys_.release(key->key(), key->timestamp()) && inWindow) {
        runOrEnd(this, [&] { Form_KeyUp(keyCodeOf(*key)); });
    }
    return shortcut;
}

Qt::Edges Form1::frameEdgesAt(QPoint position) const
{
    Qt::Edges edges;
    if (position.x() < frameWidth)
        edges |= Qt::LeftEdge;
    if (position.x() >= width() - frameWidth)
        edges |= Qt::RightEdge;
    if (position.y() < frameWidth)
        edges |= Qt::TopEdge;
    if (position.y() >= height() - frameWidth)
        edges |= Qt::BottomEdge;
    return edges;
}

namespace {

Qt::CursorShape resizeCursorFor(Qt::Edges edges)
{
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    if (edges & (Qt::TopEdge | Qt::BottomEdge))
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

}  // namespace

void Form1::mousePressEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const Qt::Edges edges = frameEdgesAt(position);
    dragOrigin_.reset();
    frameResize_.reset();
    if (edges) {
        if (event->button() == Qt::LeftButton)
            startFrameResize(edges, event->globalPosition().toPoint());
        return;
    }
    // A control that passes its presses on (the caption label) is no
    // background.
    if (childAt(position))
        return;
    if (event->button() == Qt::LeftButton)
        dragOrigin_ = pos();
    runOrEnd(this, [&] {
        Form_MouseDown(event->button(), twipsFromPixels(position.x() - frameWidth),
                       twipsFromPixels(position.y() - frameWidth));
    });
}

// A window without decorations cannot size itself on every window system:
// the window system is asked first, and where it refuses the window follows
// the pointer itself.
void Form1::startFrameResize(Qt::Edges edges, QPoint pointer)
{
    if (windowHandle() && windowHandle()->startSystemResize(edges))
        return;
    frameResize_ = FrameResize{edges, geometry(), pointer};
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    if (frameResize_ && event->buttons() == Qt::LeftButton) {
        // The smallest window keeps its sizing frame to be grabbed again.
        const QSize minimum = minimumSize().expandedTo(QSize(3 * frameWidth, 3 * frameWidth));
        const QRect sized = frameResize_->geometryAt(event->globalPosition().toPoint(), minimum);
        // Sized once this pointer event is handled: the layout yields to the
        // event loop, and a release handled inside a pointer event leaves the
        // buttons unlit under later moves.
        QMetaObject::invokeMethod(this, [this, sized] { setGeometry(sized); }, Qt::QueuedConnection);
        return;
    }
    // A drag measures against where the window stood at its press: the window
    // system may not have caught up with the drag's earlier moves yet, and
    // the position it reports lags behind.
    const QPoint position = dragOrigin_ ? event->globalPosition().toPoint() - *dragOrigin_ : event->position().toPoint();
    const Qt::Edges edges = frameEdgesAt(position);
    if (event->buttons() == Qt::NoButton)
        setCursor(resizeCursorFor(edges));
    if (edges && event->buttons() == Qt::NoButton)
        return;
    runOrEnd(this, [&] {
        Form_MouseMove(event->buttons(), twipsFromPixels(position.x() - frameWidth),
                       twipsFromPixels(position.y() - frameWidth));
    });
}

void Form1::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        dragOrigin_.reset();
        frameResize_.reset();
    }
}

void Form1::Form_MouseDown(Qt::MouseButton button, float x, float y)
{
    if (button == Qt::LeftButton) {
        dragX = x;
        dragY = y;
    } else if (button == Qt::RightButton) {
        mnuMain->exec(QCursor::pos());
    }
}

void Form1::Form_MouseMove(Qt::MouseButtons buttons, float x, float y)
{
    if (buttons == Qt::LeftButton && dragOrigin_) {
        if (windowSystemPlacesWindows()) {
            move(*dragOrigin_ + QPoint(pixelsFromTwips(x - dragX), pixelsFromTwips(y - dragY)));
        } else if (windowHandle()) {
            // The compositor moves the window from here on and keeps the
            // release to itself.
            dragOrigin_.reset();
            windowHandle()->startSystemMove();
        }
    }
    takeBackHighlight();
    processPendingEvents();
}

void Form1::Frame1_MouseMove()
{
    runOrEnd(this, [this] { takeBackHighlight(); });
}

void Form1::takeBackHighlight()
{
    hoverButton = noButton;
    buttonNormalState();
}
