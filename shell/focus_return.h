#pragma once

class QWidget;

// Gives the keyboard focus back to the window of owner once a modal dialog
// of its own has closed, to the control that had it before. A window manager
// does that by itself; with none, the focus stays with the screen's root
// window, and no key reaches the reader until its window is clicked.
void takeBackFocus(QWidget* owner);
