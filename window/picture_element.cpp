#include "window/picture_button.h"

#include <QMouseEvent>

PictureButton::PictureButton(std::int16_t index, QWidget* parent) : QLabel(parent), index_(index)
{
    setMouseTracking(true);
    setScaledContents(false);
}

void PictureButton::setPicture(const QPixmap& picture)
{
    setPixmap(picture);
    resize(picture.deviceIndependentSize().toSize());
}

// A press is taken here so that it never reaches the window background,
// where it would start a drag or open the popup menu.
void PictureButton::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool released = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (released)
        click();
}

void PictureButton::click()
{
    emit clicked(index_);
}

void PictureButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit pointerMoved(index_);
}
