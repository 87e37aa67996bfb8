#include "window/picture_element.h"

#include <QMouseEvent>

PictureElement::PictureElement(std::int16_t index, QWidget* parent) : QLabel(parent), index_(index)
{
    setMouseTracking(true);
    setScaledContents(false);
}

void PictureElement::setPicture(const QPixmap& picture)
{
    setPixmap(picture);
    resize(picture.deviceIndependentSize().toSize());
}

// A press is taken here so that it never reaches the window background,
// where it would start a drag or open the popup menu.
void PictureElement::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PictureElement::mouseReleaseEvent(QMouseEvent* event)
{
    const bool released = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (released)
        click();
}

void PictureElement::click()
{
    emit clicked(index_);
}

void PictureElement::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    emit pointerMoved(index_);
}
