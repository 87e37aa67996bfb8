// Each shortcut runs its button's action whichever control has the focus:
// the search box, the web view, or none.
#include "tests/support/reader_fixture.h"

#include "window/search_panel.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

constexpr int timeoutMs = 20000;

struct ShortcutCase {
    const char* name;
    QKeyCombination keys;
    std::function<void(ReaderFixture&, Form1&)> prepare;
    std::function<bool(ReaderFixture&, Form1&)> done;
};

struct FocusPlace {
    const char* name;
    std::function<void(Form1&)> give;
};

// Opens the file in frame "T" and waits until it has loaded, also when the
// frame showed it already.
void openInFrame(ReaderFixture& reader, Form1& form, const char* file)
{
    QSignalSpy completed(form.WebBrowser1, &WebBrowser::DocumentComplete);
    form.WebBrowser1->Navigate(QString::fromStdString(reader.path(file)), QStringLiteral("T"));
    QTRY_VERIFY_WITH_TIMEOUT(std::any_of(completed.begin(), completed.end(),
                                         [&](const QList<QVariant>& event) {
                                             return event.at(0).toUrl().fileName() == QLatin1String(file);
                                         }),
                             timeoutMs);
}

bool frameShows(ReaderFixture& reader, const char* file)
{
    return reader.frameUrl().endsWith(QLatin1String(file))
           && reader.evaluate(QStringLiteral("document.readyState")) == u"complete";
}

bool zoomedTo(Form1& form, double factor)
{
    return qAbs(form.WebBrowser1->zoomFactor() - factor) < 1e-3;
}

}  // namespace

class ShortcutsTest : public QObject {
    Q_OBJECT

private slots:
    void eachShortcutRunsItsButtonWhereverTheFocusIs();
};

void ShortcutsTest::eachShortcutRunsItsButtonWhereverTheFocusIs()
{
    bool printDialogSeen = false;
    QTimer printDialogCloser;
    connect(&printDialogCloser, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QAbstractPrintDialog*>(QApplication::activeModalWidget())) {
            printDialogSeen = true;
            dialog->reject();
        }
    });
    printDialogCloser.start(50);

    const auto backAndForth = [](ReaderFixture& reader, Form1& form) {
        openInFrame(reader, form, "clen003.html");
        openInFrame(reader, form, "Help.html");
    };
    const ShortcutCase shortcuts[] = {
        {"Alt+Left goes back", Qt::ALT | Qt::Key_Left, backAndForth,
         [](ReaderFixture& reader, Form1&) { return frameShows(reader, "clen003.html"); }},
        {"Alt+Right goes forward", Qt::ALT | Qt::Key_Right,
         [&](ReaderFixture& reader, Form1& form) {
             backAndForth(reader, form);
             form.WebBrowser1->GoBack();
             QTRY_VERIFY_WITH_TIMEOUT(frameShows(reader, "clen003.html"), timeoutMs);
         },
         [](ReaderFixture& reader, Form1&) { return frameShows(reader, "Help.html"); }},
        {"Alt+Home opens the home page", Qt::ALT | Qt::Key_Home,
         [](ReaderFixture& reader, Form1& form) { openInFrame(reader, form, "Help.html"); },
         [](ReaderFixture& reader, Form1&) { return frameShows(reader, "naslovnica.html"); }},
        {"Ctrl+F opens the search panel", Qt::CTRL | Qt::Key_F,
         [](ReaderFixture&, Form1& form) { form.Text1->setText(QStringLiteral("koča")); form.Text1->deselect(); },
         [](ReaderFixture&, Form1& form) {
             return form.Frame1->isVisible() && form.Text1->hasFocus() && form.Text1->selectedText() == u"koča";
         }},
        {"F1 opens the help page", QKeyCombination(Qt::Key_F1),
         [](ReaderFixture& reader, Form1& form) { openInFrame(reader, form, "clen001.html"); },
         [](ReaderFixture& reader, Form1&) { return frameShows(reader, "Help.html"); }},
        {"Ctrl+P opens the print dialog", Qt::CTRL | Qt::Key_P,
         [&](ReaderFixture&, Form1&) { printDialogSeen = false; }, [&](ReaderFixture&, Form1&) { return printDialogSeen; }},
        {"Ctrl+Shift+C copies the page", Qt::CTRL | Qt::SHIFT | Qt::Key_C,
         [](ReaderFixture& reader, Form1& form) {
             QGuiApplication::clipboard()->setText(QStringLiteral("prej"));
             openInFrame(reader, form, "clen001.html");
         },
         [](ReaderFixture&, Form1&) { return QGuiApplication::clipboard()->text().contains(u"1. člen"); }},
        {"Ctrl++ zooms in one step", Qt::CTRL | Qt::Key_Plus,
         [](ReaderFixture&, Form1& form) { form.WebBrowser1->setZoomFactor(1.0); },
         [](ReaderFixture&, Form1& form) { return zoomedTo(form, 1.1); }},
        {"Ctrl+- zooms out one step", Qt::CTRL | Qt::Key_Minus,
         [](ReaderFixture&, Form1& form) { form.WebBrowser1->setZoomFactor(1.0); },
         [](ReaderFixture&, Form1& form) { return zoomedTo(form, 0.9); }},
        {"Ctrl+0 restores the zoom", Qt::CTRL | Qt::Key_0,
         [](ReaderFixture&, Form1& form) { form.WebBrowser1->setZoomFactor(1.5); },
         [](ReaderFixture&, Form1& form) { return zoomedTo(form, 1.0); }},
    };
    const FocusPlace places[] = {
        {"focus in the search box", [](Form1& form) { form.Frame1->show(); form.Text1->setFocus(); }},
        {"focus in the web view", [](Form1& form) { form.Frame1->hide(); form.WebBrowser1->setFocus(); }},
        {"no control with the focus", [](Form1& form) {
             form.Frame1->hide();
             if (QWidget* focus = QApplication::focusWidget())
                 focus->clearFocus();
         }},
    };

    ReaderFixture reader;
    Form1& form = reader.start();
    for (const FocusPlace& place : places) {
        for (const ShortcutCase& shortcut : shortcuts) {
            const QByteArray what = QByteArray(shortcut.name) + ", " + place.name;
            shortcut.prepare(reader, form);
            // Without a window manager nobody activates the window again
            // after the print dialog.
            form.activateWindow();
            QTRY_VERIFY2_WITH_TIMEOUT(form.isActiveWindow(), what, timeoutMs);
            place.give(form);
            QTRY_VERIFY2_WITH_TIMEOUT(QApplication::focusWidget() || !form.Frame1->isVisible(), what, timeoutMs);
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : &form, shortcut.keys.key(), shortcut.keys.keyboardModifiers());
            QTRY_VERIFY2_WITH_TIMEOUT(shortcut.done(reader, form), what, timeoutMs);
        }
    }
    QVERIFY(reader.failures.empty());
}

QTEST_MAIN(ShortcutsTest)
#include "shortcuts_test.moc"
