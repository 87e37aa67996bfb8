#pragma once

#include <QGroupBox>

// The search panel: a captioned frame that reports pointer moves over its
// own background, so that a lit OK or Cancel button goes dark at once.
class SearchPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit SearchPanel(QWidget* parent);

signals:
    void backgroundPointerMoved();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};
