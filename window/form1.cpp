#include "window/form1.h"

#include "search/query.h"
#include "shell/web_browser.h"
#include "window/accessible_controls.h"
#include "window/picture_element.h"
#include "window/search_panel.h"

#include <QApplication>
#include <QPainter>

Form1::Form1(ProgramInfo program, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), program_(std::move(program))
{
    // Before the controls exist: the toolkit keeps the first accessible
    // interface made for each control, whoever asks for it.
    installAccessibleControls();
    createControls();
    createMenu();
    // Key preview: Enter and Escape reach the window whichever control has
    // the focus, the search box and the web view included.
    qApp->installEventFilter(this);
}

Form1::~Form1()
{
    qApp->removeEventFilter(this);
}

std::string Form1::strIsoEncodeCEELow(std::string strIn)
{
    return lexoria::toLatin2QueryForm(std::move(strIn));
}

void Form1::setBackgroundPicture(const QPixmap& picture)
{
    backgroundPicture_ = picture;
    update();
}

void Form1::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.drawPixmap(frameWidth, frameWidth, backgroundPicture_);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void Form1::showBusyLamp(bool visible)
{
    Image1[busyLamp]->setVisible(visible);
}

void Form1::processPendingEvents()
{
    QCoreApplication::processEvents();
}
