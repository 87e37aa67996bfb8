#include "window/splash_window.h"

#include "window/twips.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

Form2::Form2() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint), picture_(":/design/splash")
{
    setWindowTitle("Form2");
    setAutoFillBackground(true);
    setPalette(QPalette(palette().color(QPalette::Base)));
    resize(pixelsFromTwips(7155), pixelsFromTwips(4740));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

// Loading the splash processes the pending events once, so that its picture
// is painted before the reader goes on with its start-up.
void Form2::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!loaded_) {
        loaded_ = true;
        QCoreApplication::processEvents();
    }
}

void Form2::paintEvent(QPaintEvent*)
{
    QPainter(this).drawPixmap(0, 0, picture_);
}
