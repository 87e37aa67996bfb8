// The designed window as a person sees it: pictures take their own size,
// the lamps share one place, the panel covers the view, the caption label
// grows to the right, the right-hand group follows the window's width.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"
#include "window/search_panel.h"

#include <QImage>
#include <QLabel>
#include <QMenu>

class WindowDesignTest : public QObject {
    Q_OBJECT

private slots:
    void skinPictureSizeSetsElementSize();
    void busyLampHidesReadyLamp();
    void searchPanelCoversTheView();
    void captionLabelGrowsWiderNeverTaller();
    void layoutFollowsTheWindowWidth();
    void minimisedWindowShowsTheVersion();
    void popupMenuOpensOnlyFromTheBackground();
    void draggingTheBackgroundMovesTheWindow();
};

void WindowDesignTest::skinPictureSizeSetsElementSize()
{
    ReaderFixture reader;
    QImage larger(48, 40, QImage::Format_RGB32);
    larger.fill(Qt::darkRed);
    QVERIFY(larger.save(QString::fromStdString(reader.path("Skin/Normal/home.jpg")), "JPEG"));
    Form1& form = reader.start();
    QCOMPARE(form.Image1[2]->size(), QSize(48, 40));
    QCOMPARE(form.Image1[3]->size(), QSize(32, 32));
}

void WindowDesignTest::busyLampHidesReadyLamp()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    PictureButton* busy = form.Image1[Form1::busyLamp];
    PictureButton* ready = form.Image1[Form1::readyLamp];
    QCOMPARE(busy->geometry(), ready->geometry());
    const QPoint centre = ready->geometry().center();

    busy->show();
    QCOMPARE(form.childAt(centre), busy);
    busy->hide();
    QCOMPARE(form.childAt(centre), ready);
}

void WindowDesignTest::searchPanelCoversTheView()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QVERIFY(form.Frame1->isVisible());
    const QPoint inPanel = form.Frame1->geometry().topLeft() + QPoint(form.Frame1->width() - 5, form.Frame1->height() - 5);
    QVERIFY(form.WebBrowser1->geometry().contains(inPanel));
    QWidget* top = form.childAt(inPanel);
    QVERIFY(top == form.Frame1 || form.Frame1->isAncestorOf(top));
}

void WindowDesignTest::captionLabelGrowsWiderNeverTaller()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const QSize before = form.Label1->size();
    form.strTitula = std::string(120, 'x');
    emit form.WebBrowser1->DocumentComplete(QUrl());
    QVERIFY(form.Label1->width() > before.width());
    QCOMPARE(form.Label1->height(), before.height());
    QVERIFY(form.Label1->text().startsWith(QString(120, 'x') + QStringLiteral(" ... ")));
}

void WindowDesignTest::layoutFollowsTheWindowWidth()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    // 11940 x 8385 twips: Close at 11340, the view 11820 twips wide.
    form.resize(796, 559);
    const int client = Form1::frameWidth;
    QCOMPARE(form.Image1[7]->x(), client + 756);
    QCOMPARE(form.Image1[6]->x(), client + 724);
    QCOMPARE(form.Image1[Form1::busyLamp]->x(), client + 692);
    QCOMPARE(form.Image1[Form1::readyLamp]->x(), client + 692);
    QCOMPARE(form.Image1[10]->x(), client + 660);
    QCOMPARE(form.WebBrowser1->width(), 788);
    QCOMPARE(form.WebBrowser1->geometry().bottom() + 1, 559 - client);

    // Narrower: the whole group moves left with the Close button, the
    // buttons of the left side stay.
    form.resize(600, 559);
    QCOMPARE(form.Image1[7]->x(), client + 560);
    QCOMPARE(form.Image1[10]->x(), client + 464);
    QCOMPARE(form.Image1[2]->x(), client);
    QCOMPARE(form.WebBrowser1->width(), 592);
}

void WindowDesignTest::minimisedWindowShowsTheVersion()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const QRect closeBefore = form.Image1[7]->geometry();
    form.setWindowState(Qt::WindowMinimized);
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("lexoria 1.7.249"), loadTimeoutMs);
    form.setWindowState(Qt::WindowNoState);
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QString(), loadTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(form.Image1[7]->geometry(), closeBefore, loadTimeoutMs);
}

void WindowDesignTest::popupMenuOpensOnlyFromTheBackground()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    int entries = 0;
    auto closeMenu = [&](QWidget* open) {
        entries = static_cast<int>(open->actions().size());
        open->close();
    };

    // The menu runs its own event loop: had it opened, the click would
    // return only once the answer closed it.
    {
        ModalAnswer onButton(closeMenu);
        QTest::mouseClick(form.Image1[0], Qt::RightButton);
        QCOMPARE(onButton.seen, nullptr);
    }

    ModalAnswer onBackground(closeMenu);
    const QPoint background(Form1::frameWidth + 520, Form1::frameWidth + 25);
    QCOMPARE(form.childAt(background), nullptr);
    QTest::mouseClick(&form, Qt::RightButton, {}, background);
    QCOMPARE(onBackground.seen, form.mnuMain);
    QCOMPARE(entries, 6);
}

void WindowDesignTest::draggingTheBackgroundMovesTheWindow()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const QPoint start = form.pos();
    const QPoint grab(Form1::frameWidth + 520, Form1::frameWidth + 25);
    QTest::mousePress(&form, Qt::LeftButton, {}, grab);
    QCOMPARE(form.dragX, 520.0f * 15);
    QCOMPARE(form.dragY, 25.0f * 15);

    // The move arrives relative to the window where it was pressed: the
    // grabbed point stays under the pointer.
    QMouseEvent move(QEvent::MouseMove, grab + QPoint(30, 20), form.mapToGlobal(grab + QPoint(30, 20)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &move);
    QTRY_COMPARE_WITH_TIMEOUT(form.pos(), start + QPoint(30, 20), loadTimeoutMs);

    // With the right button held as well nothing moves.
    QMouseEvent bothButtons(QEvent::MouseMove, grab + QPoint(60, 40), form.mapToGlobal(grab + QPoint(60, 40)),
                            Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &bothButtons);
    QCoreApplication::processEvents();
    QCOMPARE(form.pos(), start + QPoint(30, 20));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, grab);
}

QTEST_MAIN(WindowDesignTest)
#include "window_design_test.moc"
