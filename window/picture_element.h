#pragma once

#include <QLabel>

#include <cstdint>

// A picture element of the window: shows one picture at its natural size,
// takes that size, and reports clicks and pointer moves with its index.
class PictureElement : public QLabel {
    Q_OBJECT

public:
    PictureElement(std::int16_t index, QWidget* parent);

    std::int16_t index() const { return index_; }
    void setPicture(const QPixmap& picture);
    // What a click with the mouse does.
    void click();

signals:
    void clicked(std::int16_t index);
    void pointerMoved(std::int16_t index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::int16_t index_;
    bool pressed_ = false;
};
