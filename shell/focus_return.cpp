#include "shell/focus_return.h"

#include <QWidget>

void takeBackFocus(QWidget* owner)
{
    QWidget* window = owner->window();
    if (window->isVisible() && !window->isMinimized())
        window->activateWindow();
}
