#include "shell/web_browser.h"
#include "tests/support/page_script.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace {

using Action = std::function<void(WebBrowser&)>;

// A page in Latin-2 bytes, as the statute's are.
QByteArray page(const QByteArray& body)
{
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\"></head><body>"
           + body + "</body></html>";
}

const QString wordInA = QStringLiteral("čšž");
const QString textOfA = QStringLiteral("Člen 1: čšž velja.");

}  // namespace

Q_DECLARE_METATYPE(Action)

class WebBrowserTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void eventsFollowEveryDocument_data();
    void eventsFollowEveryDocument();
    void historyStepsThroughFrameNavigationsUnderOneFrameset();
    void refusedOperationsThrow_data();
    void refusedOperationsThrow();
    void commandsActOnFocusedFrame_data();
    void commandsActOnFocusedFrame();
    void printFrameWritesOnlyThatFrame();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(path(name)); }
    void write(const QString& name, const QByteArray& bytes);
    void show(const QString& name, int documents = 1);
    void showHome() { show("index.html", 3); }
    void showInT(const QString& name);
    QVariant js(const QString& script) { return runScript(view_->page(), script); }
    QUrl frameUrl(const QString& frame) { return QUrl(js(inFrame(frame, "location.href")).toString()); }

    QTemporaryDir dir_;
    std::unique_ptr<WebBrowser> view_;
};

void WebBrowserTest::write(const QString& name, const QByteArray& bytes)
{
    QFile file(path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void WebBrowserTest::initTestCase()
{
    QVERIFY(dir_.isValid());
    write("index.html",
          "<html><frameset cols=\"30%,70%\">"
          "<frame name=\"toc\" src=\"toc.html\"><frame name=\"T\" src=\"a.html\">"
          "</frameset></html>");
    write("toc.html", page("<p id=\"toc\">Obsah</p>"
                           "<a id=\"toB\" href=\"b.html\" target=\"T\">B</a> "
                           "<a id=\"toC\" href=\"c.html\" target=\"T\">C</a>"));
    write("a.html", page("<p>\xC8len 1: <span id=\"word\">\xE8\xB9\xBE</span> velja.</p>"));
    // Console output of a page's own must not pass for the view's signal.
    write("b.html", page("<p>Stran B: \xB9ola</p><script>"
                         "console.log('begin'); console.debug('complete file:///x');"
                         "</script>"));
    write("c.html", page("<p>Stran C: \xBE" "aba</p>"));
    write("single.html", page("<p>Brez okvirjev</p>"));
}

void WebBrowserTest::init()
{
    view_ = std::make_unique<WebBrowser>();
    view_->resize(800, 600);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
}

void WebBrowserTest::cleanup()
{
    view_.reset();
}

// Opens a page and waits until it and each of its frames is complete.
void WebBrowserTest::show(const QString& name, int documents)
{
    QSignalSpy complete(view_.get(), &WebBrowser::DocumentComplete);
    view_->Navigate(path(name));
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), documents, loadTimeoutMs);
}

// Opens a page in frame T and waits for its DocumentComplete.
void WebBrowserTest::showInT(const QString& name)
{
    QSignalSpy complete(view_.get(), &WebBrowser::DocumentComplete);
    view_->Navigate(path(name), "T");
    QTRY_COMPARE_WITH_TIMEOUT(complete.size(), 1, loadTimeoutMs);
}

void WebBrowserTest::eventsFollowEveryDocument_data()
{
    QTest::addColumn<bool>("fromHome");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("completed");

    QTest::newRow("home page and both frames")
        << false << Action([this](WebBrowser& v) { v.Navigate(path("index.html")); })
        << QStringList{"toc.html", "a.html", "index.html"};
    QTest::newRow("Navigate into frame T")
        << true << Action([this](WebBrowser& v) { v.Navigate(path("b.html"), "T"); })
        << QStringList{"b.html"};
    QTest::newRow("link clicked in the contents frame")
        << true << Action([this](WebBrowser&) {
               js("frames['toc'].document.getElementById('toC').click()");
           })
        << QStringList{"c.html"};
    QTest::newRow("back inside frame T")
        << true << Action([this](WebBrowser& v) {
               showInT("b.html");
               v.GoBack();
           })
        << QStringList{"b.html", "a.html"};
}

// Each document raises exactly one DownloadBegin and one DocumentComplete. A
// last navigation into frame T closes the record: whatever the action raised
// has arrived before its events.
void WebBrowserTest::eventsFollowEveryDocument()
{
    QFETCH(bool, fromHome);
    QFETCH(Action, action);
    QFETCH(QStringList, completed);
    if (fromHome)
        showHome();
    QSignalSpy begins(view_.get(), &WebBrowser::DownloadBegin);
    QSignalSpy completes(view_.get(), &WebBrowser::DocumentComplete);

    action(*view_);
    QTRY_VERIFY_WITH_TIMEOUT(completes.size() >= completed.size(), loadTimeoutMs);
    view_->Navigate(path("single.html"), "T");
    QTRY_VERIFY_WITH_TIMEOUT(!completes.isEmpty() && completes.last().at(0).toUrl() == url("single.html"),
                             loadTimeoutMs);

    QStringList names;
    for (const QList<QVariant>& event : completes)
        names << event.at(0).toUrl().fileName();
    QStringList expected = completed;
    expected << "single.html";
    names.sort();
    expected.sort();
    QCOMPARE(names, expected);
    QCOMPARE(begins.size(), expected.size());
}

void WebBrowserTest::historyStepsThroughFrameNavigationsUnderOneFrameset()
{
    showHome();
    showInT("b.html");
    QCOMPARE(frameUrl("toc"), url("toc.html"));
    QSignalSpy completes(view_.get(), &WebBrowser::DocumentComplete);
    js("frames['toc'].document.getElementById('toC').click()");
    QTRY_COMPARE_WITH_TIMEOUT(completes.size(), 1, loadTimeoutMs);
    QCOMPARE(frameUrl("T"), url("c.html"));

    const QStringList steps{"back", "back", "forward", "forward"};
    const QStringList shown{"b.html", "a.html", "b.html", "c.html"};
    for (qsizetype i = 0; i < steps.size(); ++i) {
        steps[i] == u"back" ? view_->GoBack() : view_->GoForward();
        QTRY_COMPARE_WITH_TIMEOUT(frameUrl("T"), url(shown[i]), loadTimeoutMs);
        QCOMPARE(view_->url(), url("index.html"));
    }
    QVERIFY_THROWS_EXCEPTION(WebBrowserError, view_->GoForward());
}

void WebBrowserTest::refusedOperationsThrow_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Action>("action");

    QTest::newRow("GoBack with no history")
        << QString() << Action([](WebBrowser& v) { v.GoBack(); });
    QTest::newRow("GoForward at the newest page")
        << "index.html" << Action([](WebBrowser& v) { v.GoForward(); });
    QTest::newRow("focusFrame before any document")
        << QString() << Action([](WebBrowser& v) { v.focusFrame("T"); });
    QTest::newRow("focusFrame of a missing frame")
        << "index.html" << Action([](WebBrowser& v) { v.focusFrame("X"); });
    QTest::newRow("focusFrame on a page without frames")
        << "single.html" << Action([](WebBrowser& v) { v.focusFrame("T"); });
    QTest::newRow("Navigate into a missing frame")
        << "index.html" << Action([this](WebBrowser& v) { v.Navigate(path("b.html"), "X"); });
    QTest::newRow("print a missing frame")
        << "index.html" << Action([](WebBrowser& v) {
               QPrinter printer;
               v.printFrame("X", &printer);
           });
    QTest::newRow("unknown command")
        << "index.html" << Action([](WebBrowser& v) { v.execCommand("Bold"); });
    QTest::newRow("ExecWB other than print with dialog")
        << "index.html" << Action([](WebBrowser& v) { v.ExecWB(6, 2); });
}

void WebBrowserTest::refusedOperationsThrow()
{
    QFETCH(QString, shown);
    QFETCH(Action, action);
    if (shown == u"index.html")
        showHome();
    else if (!shown.isEmpty())
        show(shown);
    const QUrl before = view_->url();

    QVERIFY_THROWS_EXCEPTION(WebBrowserError, action(*view_));
    QCOMPARE(view_->url(), before);
}

void WebBrowserTest::commandsActOnFocusedFrame_data()
{
    QTest::addColumn<QString>("selectFirst");  // script run in the page beforehand
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("selection");  // left in frame T

    const QString selectWord = selectContents("T", "#word");
    const QString selectInContents = "frames['toc'].focus();" + selectContents("toc", "#toc");

    QTest::newRow("Copy of a selection")
        << selectWord << QStringList{"Copy"} << wordInA << wordInA;
    QTest::newRow("Copy with nothing selected")
        << QString() << QStringList{"Copy"} << QString() << QString();
    QTest::newRow("Copy ignores a selection in another frame")
        << selectInContents << QStringList{"Copy"} << QString() << QString();
    QTest::newRow("SelectAll then Copy")
        << QString() << QStringList{"SelectAll", "Copy"} << textOfA << textOfA;
    QTest::newRow("SelectAll in T after the focus was elsewhere")
        << selectInContents << QStringList{"SelectAll", "Copy"} << textOfA << textOfA;
    QTest::newRow("SelectAll, Copy, Unselect")
        << QString() << QStringList{"SelectAll", "Copy", "Unselect"} << textOfA << QString();
}

// The clipboard is read right after the commands return: each command must
// have taken effect by then.
void WebBrowserTest::commandsActOnFocusedFrame()
{
    QFETCH(QString, selectFirst);
    QFETCH(QStringList, commands);
    QFETCH(QString, clipboard);
    QFETCH(QString, selection);
    showHome();
    if (!selectFirst.isEmpty())
        js(selectFirst);
    QGuiApplication::clipboard()->clear();
    QTRY_VERIFY(QGuiApplication::clipboard()->text().isEmpty());

    view_->focusFrame("T");
    for (const QString& command : commands)
        view_->execCommand(command);

    QCOMPARE(QGuiApplication::clipboard()->text().trimmed(), clipboard);
    QCOMPARE(selectionIn(view_->page(), "T").trimmed(), selection);
}

void WebBrowserTest::printFrameWritesOnlyThatFrame()
{
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is missing");
    showHome();
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path("T.pdf"));
    view_->printFrame("T", &printer);

    QProcess extract;
    extract.start(pdftotext, {path("T.pdf"), "-"});
    QVERIFY(extract.waitForFinished(loadTimeoutMs));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(text.contains(textOfA) && !text.contains("Obsah"), qPrintable(text));
}

QTEST_MAIN(WebBrowserTest)
#include "web_browser_test.moc"
