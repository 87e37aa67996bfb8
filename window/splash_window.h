#pragma once

#include <QWidget>

// The splash window shown while the reader loads: borderless, centred,
// nothing but its picture.
class Form2 : public QWidget {
    Q_OBJECT

public:
    Form2();

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    bool loaded_ = false;
};
