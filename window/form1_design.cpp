// The main window as designed: its size and place, its colours and every
// control with its design position, picture and stacking order.
#include "window/form1.h"

#include "shell/web_browser.h"
#include "window/picture_element.h"
#include "window/search_panel.h"
#include "window/twips.h"

#include <QAction>
#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>

namespace {

struct ButtonDesign {
    std::int16_t index;
    float left;
    float top;
};

// Picture elements on the window, bottom of the stack first. The lamps
// share one place: the busy lamp, above, hides the ready lamp when shown.
constexpr ButtonDesign windowButtons[] = {
    {1, 2040, 0}, {2, 0, 0}, {3, 2640, 0}, {4, 8520, 0}, {6, 10620, 0},
    {7, 11100, 0}, {5, 9000, 0}, {10, 10140, 0}, {11, 600, 0}, {12, 1080, 0},
};

const QColor windowBackground(0, 192, 192);
const QColor searchPanelBackground(0, 128, 128);

QFont captionLabelFont()
{
    // The nearest sans face with the Central European letters.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

}  // namespace

void Form1::placeInClient(QWidget* control, float left, float top, float width, float height)
{
    control->setGeometry(pixelsFromTwips(left) + frameWidth, pixelsFromTwips(top) + frameWidth,
                         pixelsFromTwips(width), pixelsFromTwips(height));
}

float Form1::leftTwips(const QWidget* control) const
{
    return twipsFromPixels(static_cast<float>(control->x() - frameWidth));
}

void Form1::setLeftTwips(QWidget* control, float left)
{
    control->move(pixelsFromTwips(left) + frameWidth, control->y());
}

void Form1::createControls()
{
    setWindowTitle(QString());
    setMouseTracking(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, windowBackground);
    setPalette(background);
    setWindowIcon(QIcon(QStringLiteral(":/design/icon")));
    backgroundPicture_ = QPixmap(QStringLiteral(":/design/strip"));

    // Outer size 11940 x 8385 twips, the sizing frame included, at the
    // screen's top-left corner.
    resize(pixelsFromTwips(11940), pixelsFromTwips(8385));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().topLeft());

    auto makeButton = [this](std::int16_t index, QWidget* container) {
        auto* button = new PictureElement(index, container);
        button->setPicture(QPixmap(QStringLiteral(":/design/image1_%1").arg(index)));
        connect(button, &PictureElement::clicked, this, [this](std::int16_t i) { Image1_Click(i); });
        connect(button, &PictureElement::pointerMoved, this, [this](std::int16_t i) { Image1_MouseMove(i); });
        Image1[index] = button;
        return button;
    };

    makeButton(0, this)->move(pixelsFromTwips(1560) + frameWidth, frameWidth);

    Label1 = new QLabel(QStringLiteral("Label1"), this);
    Label1->setFont(captionLabelFont());
    Label1->setWordWrap(false);
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label1->move(pixelsFromTwips(3240) + frameWidth, pixelsFromTwips(120) + frameWidth);
    Label1->adjustSize();

    for (const ButtonDesign& design : windowButtons)
        makeButton(design.index, this)->move(pixelsFromTwips(design.left) + frameWidth,
                                              pixelsFromTwips(design.top) + frameWidth);
    Image1[busyLamp]->hide();

    WebBrowser1 = new WebBrowser(QString::fromStdString(program_.directory), this);
    placeInClient(WebBrowser1, 0, 500, 9495, 6735);
    connect(WebBrowser1, &WebBrowser::DownloadBegin, this, [this] { WebBrowser1_DownloadBegin(); });
    connect(WebBrowser1, &WebBrowser::DocumentComplete, this, [this] { WebBrowser1_DocumentComplete(); });
    connect(WebBrowser1, &WebBrowser::DocumentComplete, this, [this](const QUrl& url) { followSearchHits(url); });
    connect(WebBrowser1, &WebBrowser::DocumentComplete, this, [this](const QUrl& url) { focusShownPage(url); });

    Frame1 = new SearchPanel(this);
    Frame1->setTitle(QStringLiteral("Frame1"));
    Frame1->setAutoFillBackground(true);
    QPalette panel = Frame1->palette();
    panel.setColor(QPalette::Window, searchPanelBackground);
    panel.setColor(QPalette::WindowText, Qt::white);
    Frame1->setPalette(panel);
    placeInClient(Frame1, 2520, 500, 5595, 1455);
    connect(Frame1, &SearchPanel::backgroundPointerMoved, this, [this] { Frame1_MouseMove(); });
    makeButton(8, Frame1)->move(pixelsFromTwips(1560), pixelsFromTwips(780));
    makeButton(9, Frame1)->move(pixelsFromTwips(2580), pixelsFromTwips(780));
    Text1 = new QLineEdit(QStringLiteral("Text1"), Frame1);
    Text1->setGeometry(pixelsFromTwips(120), pixelsFromTwips(240), pixelsFromTwips(5355), pixelsFromTwips(315));
    Frame1->hide();

    setTabOrder(Label1, WebBrowser1);
    setTabOrder(WebBrowser1, Frame1);
    setTabOrder(Frame1, Text1);
}

void Form1::createMenu()
{
    mnuMain = new QMenu(QStringLiteral("Menu: Additional commands"), this);
    mnuMain->addAction(QStringLiteral("&Database selection"))->setObjectName("mnuDatabaseSelect");
    mnuMain->addSeparator()->setObjectName("mnuSep01");
    mnuMain->addAction(QStringLiteral("Print list"))->setObjectName("mnuListPrint");
    mnuMain->addAction(QStringLiteral("Print Categories list"))->setObjectName("mnuPrintCategory");
    mnuMain->addSeparator()->setObjectName("mnuSep02");
    mnuMain->addAction(QStringLiteral("Export data"))->setObjectName("mnuDataExport");
}
