// The buttons reached without the mouse: by their shortcuts, whichever
// control has the focus, and by screen readers through QAccessible.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"
#include "window/search_panel.h"
#include "window/splash_window.h"

#include <QAbstractPrintDialog>
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>

class ButtonAccessTest : public QObject {
    Q_OBJECT

private slots:
    void eachShortcutClicksItsButtonWhereverTheFocusIs();
    void everyControlHasItsAccessibleNameRoleAndPressAction();
};

void ButtonAccessTest::eachShortcutClicksItsButtonWhereverTheFocusIs()
{
    // The print button's dialog waits for an answer.
    QTimer printDialogCloser;
    connect(&printDialogCloser, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QAbstractPrintDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    printDialogCloser.start(50);
    const struct {
        QKeyCombination keys;
        int button;      // the button the keys click, or -1 for zoom
        double zoomedTo;
    } shortcuts[] = {
        {Qt::ALT | Qt::Key_Left, 0, 0}, {Qt::ALT | Qt::Key_Right, 1, 0}, {Qt::ALT | Qt::Key_Home, 2, 0},
        {Qt::CTRL | Qt::Key_F, 3, 0}, {QKeyCombination(Qt::Key_F1), 10, 0}, {Qt::CTRL | Qt::Key_P, 11, 0},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_C, 12, 0}, {Qt::CTRL | Qt::Key_Plus, -1, 1.1},
        {Qt::CTRL | Qt::Key_Minus, -1, 0.9}, {Qt::CTRL | Qt::Key_0, -1, 1.0},
    };
    ReaderFixture reader;
    Form1& form = reader.start();
    QWidget* const focusPlaces[] = {form.Text1, form.WebBrowser1, nullptr};
    for (QWidget* place : focusPlaces) {
        for (const auto& shortcut : shortcuts) {
            const QByteArray what = QKeySequence(shortcut.keys).toString().toUtf8() + (place == form.Text1 ? " in the search box" : place ? " in the view" : " in no control");
            // Without a window manager nobody activates the window again after the print dialog.
            form.activateWindow();
            QTRY_VERIFY2(form.isActiveWindow(), what);
            form.Frame1->setVisible(place == form.Text1);
            if (place)
                place->setFocus();
            else if (QWidget* focus = QApplication::focusWidget())
                focus->clearFocus();
            QTRY_VERIFY2(place ? QApplication::focusWidget() != nullptr : !QApplication::focusWidget(), what);
            form.WebBrowser1->setZoomFactor(shortcut.keys.key() == Qt::Key_0 ? 1.5 : 1.0);
            QSignalSpy clicked(form.Image1[std::max(shortcut.button, 0)], &PictureButton::clicked);
            QTest::keyClick(place ? QApplication::focusWidget() : &form, shortcut.keys.key(), shortcut.keys.keyboardModifiers());
            QVERIFY2(clicked.count() == (shortcut.button >= 0 ? 1 : 0), what);
            if (shortcut.button < 0)
                QVERIFY2(qAbs(form.WebBrowser1->zoomFactor() - shortcut.zoomedTo) < 1e-3, what);
        }
    }
}

void ButtonAccessTest::everyControlHasItsAccessibleNameRoleAndPressAction()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const struct {
        QObject* control;
        const char* name;
        QAccessible::Role role;
    } expected[] = {
        {form.Image1[0], "Nazaj (Alt+Levo)", QAccessible::Button}, {form.Image1[1], "Naprej (Alt+Desno)", QAccessible::Button},
        {form.Image1[2], "Domača stran (Alt+Home)", QAccessible::Button}, {form.Image1[3], "Iskanje (Ctrl+F)", QAccessible::Button},
        {form.Image1[4], "Pripravljen", QAccessible::Indicator}, {form.Image1[5], "Nalaganje strani", QAccessible::Indicator},
        {form.Image1[6], "Pomanjšaj", QAccessible::Button}, {form.Image1[7], "Zapri", QAccessible::Button},
        {form.Image1[8], "V redu, išči", QAccessible::Button}, {form.Image1[9], "Prekliči", QAccessible::Button},
        {form.Image1[10], "Pomoč (F1)", QAccessible::Button}, {form.Image1[11], "Natisni stran (Ctrl+P)", QAccessible::Button},
        {form.Image1[12], "Kopiraj (Ctrl+Shift+C)", QAccessible::Button},
        {form.Text1, "Iskanje po zakonu", QAccessible::EditableText}, {form.splash, "lexoria 1.7.249", QAccessible::Client},
    };
    for (const auto& control : expected) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control.control);
        QCOMPARE(accessible->text(QAccessible::Name), QString::fromUtf8(control.name));
        QCOMPARE(accessible->role(), control.role);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        QCOMPARE(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()),
                 control.role == QAccessible::Button);
    }
    // The search button pressed by a screen reader, without the focus.
    QAccessible::queryAccessibleInterface(form.Image1[3])->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(form.Frame1->isVisible());
}

QTEST_MAIN(ButtonAccessTest)
#include "button_access_test.moc"
