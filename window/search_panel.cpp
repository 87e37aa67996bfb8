#include "window/search_panel.h"

#include <QMouseEvent>

SearchPanel::SearchPanel(QWidget* parent) : QGroupBox(parent)
{
    setMouseTracking(true);
}

void SearchPanel::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit backgroundPointerMoved();
}

// The panel is not window background: a press on it must not drag the
// window or open its popup menu.
void SearchPanel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}
