// The designed window as a person sees it and as a screen reader or the
// keyboard reaches it: the skin and the language file, where each part lies,
// the background's menu, the shortcuts and the accessible names.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"
#include "window/picture_file.h"
#include "window/search_panel.h"
#include "window/splash_window.h"

#include <QAbstractPrintDialog>
#include <QAccessible>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextDocument>

namespace {

const QByteArray searchWordLatin2 = "I\xB9\xE8i";  // "Išči" in ISO-8859-2
const QString searchWord = QString::fromUtf8("Išči");
const QPoint background(Form1::frameWidth + 520, Form1::frameWidth + 25);

}  // namespace

class WindowDesignTest : public QObject {
    Q_OBJECT

private slots:
    void skinAndLanguageFileDressTheButtonsAndCaption();
    void partsKeepTheirPlacesAsTheWindowResizesAndMinimises();
    void onlyTheBackgroundOpensTheMenuAndABothButtonDragMovesNothing();
    void shortcutsClickTheirButtonsWhereverTheFocusIsAndScreenReadersNameThem();
};

void WindowDesignTest::skinAndLanguageFileDressTheButtonsAndCaption()
{
    ReaderFixture reader;
    QImage larger(48, 40, QImage::Format_RGB32);
    larger.fill(Qt::darkRed);
    QVERIFY(larger.save(QString::fromStdString(reader.path("Skin/Normal/home.jpg")), "JPEG"));
    // A skin without lit pictures still starts.
    QVERIFY(QDir(QString::fromStdString(reader.path("Skin/ON"))).removeRecursively());
    reader.write("slo.lng", "00  Button:Nazaj\r\n03  Button:<b>" + searchWordLatin2 + "</b>\r\n12  Button:\r\n"
                            "00  Frame:" + searchWordLatin2 + " & najdi\r\n00  strTitula:" + searchWordLatin2 + "\r\n");
    Form1 design(programInfoFromPath(reader.path("lexoria")));
    Form1& form = reader.start();

    for (std::size_t index = 0; index < Form1::buttonCount; ++index)
        QCOMPARE(form.Image1[index]->pixmap().toImage(), lexoria::readPicture(form.strButtonPicture[index]).toImage());
    QCOMPARE(form.Image1[2]->size(), QSize(48, 40));
    QCOMPARE(form.Image1[3]->size(), QSize(32, 32));
    QCOMPARE(form.windowIcon().availableSizes().size(), 6);

    QCOMPARE(form.Image1[0]->toolTip(), QStringLiteral("Nazaj"));
    // The tip shows the markup as it is written.
    QTextDocument shown;
    shown.setHtml(form.Image1[3]->toolTip());
    QCOMPARE(Qt::mightBeRichText(form.Image1[3]->toolTip()) ? shown.toPlainText() : form.Image1[3]->toolTip(),
             "<b>" + searchWord + "</b>");
    QCOMPARE(form.Image1[12]->toolTip(), QString());
    QCOMPARE(form.Image1[7]->toolTip(), design.Image1[7]->toolTip());
    QCOMPARE(form.Frame1->title(), searchWord + " & najdi");
    QCOMPARE(form.strTitula, searchWordLatin2.toStdString());
}

void WindowDesignTest::partsKeepTheirPlacesAsTheWindowResizesAndMinimises()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    PictureButton* busy = form.Image1[Form1::busyLamp];
    PictureButton* ready = form.Image1[Form1::readyLamp];
    QCOMPARE(busy->geometry(), ready->geometry());
    busy->show();
    QCOMPARE(form.childAt(ready->geometry().center()), busy);
    busy->hide();
    QCOMPARE(form.childAt(ready->geometry().center()), ready);

    // The search panel lies over the view.
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    const QPoint inPanel = form.Frame1->geometry().bottomRight() - QPoint(4, 4);
    QVERIFY(form.WebBrowser1->geometry().contains(inPanel));
    QVERIFY(form.childAt(inPanel) == form.Frame1 || form.Frame1->isAncestorOf(form.childAt(inPanel)));

    // Left of Close, Minimise, both lamps, Help, Home; the view's width.
    const int client = Form1::frameWidth;
    const auto places = [&] {
        QList<int> x;
        for (int index : {7, 6, int{Form1::busyLamp}, int{Form1::readyLamp}, 10, 2}) x << form.Image1[index]->x() - client;
        return x << form.WebBrowser1->width();
    };
    form.resize(796, 559);  // 11940 x 8385 twips
    QCOMPARE(places(), (QList<int>{756, 724, 692, 692, 660, 0, 788}));
    QCOMPARE(form.WebBrowser1->geometry().bottom() + 1, 559 - client);
    form.resize(600, 559);
    QCOMPARE(places(), (QList<int>{560, 528, 496, 496, 464, 0, 592}));

    // The caption label grows to the right, never taller.
    const QSize before = form.Label1->size();
    form.strTitula = std::string(120, 'x');
    emit form.WebBrowser1->DocumentComplete(QUrl());
    QVERIFY(form.Label1->width() > before.width());
    QCOMPARE(form.Label1->height(), before.height());
    QVERIFY(form.Label1->text().startsWith(QString(120, 'x') + QStringLiteral(" ... ")));

    // Minimised, the title shows the version; restored, nothing moved.
    const QRect closeBefore = form.Image1[7]->geometry();
    form.setWindowState(Qt::WindowMinimized);
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("lexoria 1.7.249"), loadTimeoutMs);
    form.setWindowState(Qt::WindowNoState);
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QString(), loadTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(form.Image1[7]->geometry(), closeBefore, loadTimeoutMs);
}

void WindowDesignTest::onlyTheBackgroundOpensTheMenuAndABothButtonDragMovesNothing()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    int entries = 0;
    const auto closeMenu = [&](QWidget* open) { entries = static_cast<int>(open->actions().size()), open->close(); };
    // The menu runs its own event loop: had it opened, the click would
    // return only once the answer closed it.
    {
        ModalAnswer onButton(closeMenu);
        QTest::mouseClick(form.Image1[0], Qt::RightButton);
        QCOMPARE(onButton.seen, nullptr);
    }
    ModalAnswer onBackground(closeMenu);
    QCOMPARE(form.childAt(background), nullptr);
    QTest::mouseClick(&form, Qt::RightButton, {}, background);
    QCOMPARE(onBackground.seen, form.mnuMain);
    QCOMPARE(entries, 6);

    // A drag by the left button alone moves the window (the window-system
    // tests drive that); with the right button held as well nothing moves.
    const QPoint start = form.pos();
    QTest::mousePress(&form, Qt::LeftButton, {}, background);
    QMouseEvent move(QEvent::MouseMove, background + QPoint(60, 40), form.mapToGlobal(background + QPoint(60, 40)),
                     Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &move);
    QCoreApplication::processEvents();
    QCOMPARE(form.pos(), start);
    QTest::mouseRelease(&form, Qt::LeftButton, {}, background);
}

void WindowDesignTest::shortcutsClickTheirButtonsWhereverTheFocusIsAndScreenReadersNameThem()
{
    QTimer printDialogCloser;  // the print button's dialog waits for an answer
    connect(&printDialogCloser, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QAbstractPrintDialog*>(QApplication::activeModalWidget())) dialog->reject();
    });
    printDialogCloser.start(50);
    // The keys, the button they click (-1: none, they zoom) and the zoom they leave.
    const std::tuple<QKeyCombination, int, double> shortcuts[] = {
        {Qt::ALT | Qt::Key_Left, 0, 0}, {Qt::ALT | Qt::Key_Right, 1, 0}, {Qt::ALT | Qt::Key_Home, 2, 0},
        {Qt::CTRL | Qt::Key_F, 3, 0}, {QKeyCombination(Qt::Key_F1), 10, 0}, {Qt::CTRL | Qt::Key_P, 11, 0},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_C, 12, 0}, {Qt::CTRL | Qt::Key_Plus, -1, 1.1},
        {Qt::CTRL | Qt::Key_Minus, -1, 0.9}, {Qt::CTRL | Qt::Key_0, -1, 1.0},
    };
    ReaderFixture reader;
    Form1& form = reader.start();
    for (QWidget* place : {static_cast<QWidget*>(form.Text1), static_cast<QWidget*>(form.WebBrowser1), static_cast<QWidget*>(nullptr)}) {
        for (const auto& [keys, button, zoomedTo] : shortcuts) {
            const QByteArray what = QKeySequence(keys).toString().toUtf8() + (place == form.Text1 ? " in the search box" : place ? " in the view" : " in no control");
            // Without a window manager nobody activates the window again after the print dialog.
            form.activateWindow();
            QTRY_VERIFY2(form.isActiveWindow(), what);
            form.Frame1->setVisible(place == form.Text1);
            if (QWidget* focus = QApplication::focusWidget(); focus && !place) focus->clearFocus();
            if (place) place->setFocus();
            QTRY_VERIFY2(place ? QApplication::focusWidget() != nullptr : !QApplication::focusWidget(), what);
            form.WebBrowser1->setZoomFactor(keys.key() == Qt::Key_0 ? 1.5 : 1.0);
            QSignalSpy clicked(form.Image1[std::max(button, 0)], &PictureButton::clicked);
            QTest::keyClick(place ? QApplication::focusWidget() : &form, keys.key(), keys.keyboardModifiers());
            QVERIFY2(clicked.count() == (button >= 0 ? 1 : 0), what);
            QVERIFY2(button >= 0 || qAbs(form.WebBrowser1->zoomFactor() - zoomedTo) < 1e-3, what);
        }
    }

    const std::tuple<QObject*, const char*, QAccessible::Role> accessible[] = {
        {form.Image1[0], "Nazaj (Alt+Levo)", QAccessible::Button}, {form.Image1[1], "Naprej (Alt+Desno)", QAccessible::Button},
        {form.Image1[2], "Domača stran (Alt+Home)", QAccessible::Button}, {form.Image1[3], "Iskanje (Ctrl+F)", QAccessible::Button},
        {form.Image1[4], "Pripravljen", QAccessible::Indicator}, {form.Image1[5], "Nalaganje strani", QAccessible::Indicator},
        {form.Image1[6], "Pomanjšaj", QAccessible::Button}, {form.Image1[7], "Zapri", QAccessible::Button},
        {form.Image1[8], "V redu, išči", QAccessible::Button}, {form.Image1[9], "Prekliči", QAccessible::Button},
        {form.Image1[10], "Pomoč (F1)", QAccessible::Button}, {form.Image1[11], "Natisni stran (Ctrl+P)", QAccessible::Button},
        {form.Image1[12], "Kopiraj (Ctrl+Shift+C)", QAccessible::Button},
        {form.Text1, "Iskanje po zakonu", QAccessible::EditableText}, {form.splash, "lexoria 1.7.249", QAccessible::Client},
    };
    for (const auto& [control, name, role] : accessible) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(name));
        QCOMPARE(face->role(), role);
        QAccessibleActionInterface* actions = face->actionInterface();
        QCOMPARE(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()),
                 role == QAccessible::Button);
    }
    // The search button pressed by a screen reader, without the focus.
    form.Frame1->hide();
    QAccessible::queryAccessibleInterface(form.Image1[3])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(form.Frame1->isVisible());
}

QTEST_MAIN(WindowDesignTest)
#include "window_design_test.moc"
