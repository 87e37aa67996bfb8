// What a screen reader finds: every picture button a push button named by
// its tooltip, the lamps named indicators, distinct names for the search
// panel's controls and a name for the splash window.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"
#include "window/search_panel.h"
#include "window/splash_window.h"

#include <QAccessible>
#include <QLineEdit>

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void everyControlHasItsNameAndRole();
    void pressActionClicksAButtonWithoutTheFocus();
};

void AccessibilityTest::everyControlHasItsNameAndRole()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const struct {
        QObject* control;
        const char* name;
        QAccessible::Role role;
    } expected[] = {
        {form.Image1[0], "Nazaj (Alt+Levo)", QAccessible::Button},
        {form.Image1[1], "Naprej (Alt+Desno)", QAccessible::Button},
        {form.Image1[2], "Domača stran (Alt+Home)", QAccessible::Button},
        {form.Image1[3], "Iskanje (Ctrl+F)", QAccessible::Button},
        {form.Image1[4], "Pripravljen", QAccessible::Indicator},
        {form.Image1[5], "Nalaganje strani", QAccessible::Indicator},
        {form.Image1[6], "Pomanjšaj", QAccessible::Button},
        {form.Image1[7], "Zapri", QAccessible::Button},
        {form.Image1[8], "V redu, išči", QAccessible::Button},
        {form.Image1[9], "Prekliči", QAccessible::Button},
        {form.Image1[10], "Pomoč (F1)", QAccessible::Button},
        {form.Image1[11], "Natisni stran (Ctrl+P)", QAccessible::Button},
        {form.Image1[12], "Kopiraj (Ctrl+Shift+C)", QAccessible::Button},
        {form.Text1, "Iskanje po zakonu", QAccessible::EditableText},
        {form.splash, "lexoria 1.7.249", QAccessible::Client},
    };
    for (const auto& control : expected) {
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control.control);
        QVERIFY2(accessible, control.name);
        QCOMPARE(accessible->text(QAccessible::Name), QString::fromUtf8(control.name));
        QCOMPARE(accessible->role(), control.role);
        const QStringList actions = accessible->actionInterface() ? accessible->actionInterface()->actionNames() : QStringList();
        QCOMPARE(actions.contains(QAccessibleActionInterface::pressAction()), control.role == QAccessible::Button);
    }
}

void AccessibilityTest::pressActionClicksAButtonWithoutTheFocus()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    QAccessibleInterface* search = QAccessible::queryAccessibleInterface(form.Image1[3]);
    QVERIFY(!form.Image1[3]->hasFocus());
    search->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(form.Frame1->isVisible());
    QTRY_VERIFY(form.Text1->hasFocus());
}

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
