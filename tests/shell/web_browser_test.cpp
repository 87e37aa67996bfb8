#include "shell/web_browser.h"
#include "tests/support/page_script.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <memory>

using Action = std::function<void(WebBrowser&)>;
Q_DECLARE_METATYPE(Action)

namespace {

// A page in Latin-2 bytes, as the statute's are.
QByteArray page(const QByteArray& body)
{
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\"></head><body>"
           + body + "</body></html>";
}

const QString textOfA = QStringLiteral("Člen 1: čšž velja.");

}  // namespace

class WebBrowserTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init()
    {
        view_ = std::make_unique<WebBrowser>();
        view_->resize(800, 600);
        view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    }
    void cleanup() { view_.reset(); }

    void eachDocumentRaisesOneBeginAndOneComplete_data();
    void eachDocumentRaisesOneBeginAndOneComplete();
    void historyStepsThroughFrameNavigationsUnderOneFrameset();
    void refusedOperationsThrowAndKeepThePage_data();
    void refusedOperationsThrowAndKeepThePage();
    void commandsHaveActedOnTheFocusedFrameWhenTheyReturn_data();
    void commandsHaveActedOnTheFocusedFrameWhenTheyReturn();

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(path(name)); }
    QVariant js(const QString& script) { return runScript(view_->page(), script); }
    QUrl frameUrl(const QString& frame) { return QUrl(js(inFrame(frame, "location.href")).toString()); }

    // Opens a page, in the whole view or in a frame, and waits until that
    // many documents are complete.
    void show(const QString& name, int documents = 1, const QString& frame = {})
    {
        QSignalSpy complete(view_.get(), &WebBrowser::DocumentComplete);
        frame.isEmpty() ? view_->Navigate(path(name)) : view_->Navigate(path(name), frame);
        QTRY_COMPARE_WITH_TIMEOUT(complete.size(), documents, loadTimeoutMs);
    }

    QTemporaryDir dir_;
    std::unique_ptr<WebBrowser> view_;
};

void WebBrowserTest::initTestCase()
{
    const QList<std::pair<QString, QByteArray>> files{
        {"index.html", "<html><frameset cols=\"30%,70%\"><frame name=\"toc\" src=\"toc.html\">"
                       "<frame name=\"T\" src=\"a.html\"></frameset></html>"},
        {"toc.html", page("<p id=\"toc\">Obsah</p><a id=\"toC\" href=\"c.html\" target=\"T\">C</a>")},
        {"a.html", page("<p>\xC8len 1: \xE8\xB9\xBE velja.</p>")},
        // Console output of a page's own must not pass for the view's signal.
        {"b.html", page("<p>Stran B</p><script>console.log('begin'); console.debug('complete file:///x');</script>")},
        {"c.html", page("<p>Stran C</p>")},
        {"single.html", page("<p>Brez okvirjev</p>")}};
    for (const auto& [name, bytes] : files) {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
}

void WebBrowserTest::eachDocumentRaisesOneBeginAndOneComplete_data()
{
    QTest::addColumn<bool>("fromHome");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("completed");
    QTest::newRow("home page and both frames") << false << Action([this](WebBrowser& v) { v.Navigate(path("index.html")); })
                                               << QStringList{"toc.html", "a.html", "index.html"};
    QTest::newRow("Navigate into frame T") << true << Action([this](WebBrowser& v) { v.Navigate(path("b.html"), "T"); })
                                           << QStringList{"b.html"};
    QTest::newRow("link clicked in the contents frame")
        << true << Action([this](WebBrowser&) { js("frames['toc'].document.getElementById('toC').click()"); })
        << QStringList{"c.html"};
    QTest::newRow("back inside frame T") << true << Action([this](WebBrowser& v) { show("b.html", 1, "T"); v.GoBack(); })
                                         << QStringList{"b.html", "a.html"};
}

// A last navigation into frame T closes the record: whatever the action
// raised has arrived before its events.
void WebBrowserTest::eachDocumentRaisesOneBeginAndOneComplete()
{
    QFETCH(bool, fromHome);
    QFETCH(Action, action);
    QFETCH(QStringList, completed);
    if (fromHome)
        show("index.html", 3);
    QSignalSpy begins(view_.get(), &WebBrowser::DownloadBegin);
    QSignalSpy completes(view_.get(), &WebBrowser::DocumentComplete);
    action(*view_);
    QTRY_VERIFY_WITH_TIMEOUT(completes.size() >= completed.size(), loadTimeoutMs);
    view_->Navigate(path("single.html"), "T");
    QTRY_VERIFY_WITH_TIMEOUT(completes.last().at(0).toUrl() == url("single.html"), loadTimeoutMs);

    QStringList names;
    for (const QList<QVariant>& event : completes)
        names << event.at(0).toUrl().fileName();
    names.sort();
    completed << "single.html";
    completed.sort();
    QCOMPARE(names, completed);
    QCOMPARE(begins.size(), completed.size());
}

void WebBrowserTest::historyStepsThroughFrameNavigationsUnderOneFrameset()
{
    show("index.html", 3);
    show("b.html", 1, "T");
    QSignalSpy completes(view_.get(), &WebBrowser::DocumentComplete);
    js("frames['toc'].document.getElementById('toC').click()");
    QTRY_COMPARE_WITH_TIMEOUT(completes.size(), 1, loadTimeoutMs);
    QCOMPARE(frameUrl("T"), url("c.html"));

    const std::pair<void (WebBrowser::*)(), const char*> steps[]{{&WebBrowser::GoBack, "b.html"},
        {&WebBrowser::GoBack, "a.html"}, {&WebBrowser::GoForward, "b.html"}, {&WebBrowser::GoForward, "c.html"}};
    for (const auto& [step, shown] : steps) {
        (view_.get()->*step)();
        QTRY_COMPARE_WITH_TIMEOUT(frameUrl("T"), url(shown), loadTimeoutMs);
        QCOMPARE(frameUrl("toc"), url("toc.html"));
        QCOMPARE(view_->url(), url("index.html"));
    }
}

void WebBrowserTest::refusedOperationsThrowAndKeepThePage_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Action>("action");
    QTest::newRow("GoBack with no history") << QString() << Action([](WebBrowser& v) { v.GoBack(); });
    QTest::newRow("GoForward at the newest page") << "index.html" << Action([](WebBrowser& v) { v.GoForward(); });
    QTest::newRow("focusFrame before any document") << QString() << Action([](WebBrowser& v) { v.focusFrame("T"); });
    QTest::newRow("focusFrame of a missing frame") << "index.html" << Action([](WebBrowser& v) { v.focusFrame("X"); });
    QTest::newRow("focusFrame without frames") << "single.html" << Action([](WebBrowser& v) { v.focusFrame("T"); });
    QTest::newRow("Navigate into a missing frame")
        << "index.html" << Action([this](WebBrowser& v) { v.Navigate(path("b.html"), "X"); });
    QTest::newRow("print a missing frame") << "index.html" << Action([](WebBrowser& v) { QPrinter p; v.printFrame("X", &p); });
    QTest::newRow("unknown command") << "index.html" << Action([](WebBrowser& v) { v.execCommand("Bold"); });
    QTest::newRow("ExecWB other than print with dialog") << "index.html" << Action([](WebBrowser& v) { v.ExecWB(6, 2); });
}

void WebBrowserTest::refusedOperationsThrowAndKeepThePage()
{
    QFETCH(QString, shown);
    QFETCH(Action, action);
    if (!shown.isEmpty())
        show(shown, shown == u"index.html" ? 3 : 1);
    const QUrl before = view_->url();
    QVERIFY_THROWS_EXCEPTION(WebBrowserError, action(*view_));
    QCOMPARE(view_->url(), before);
}

void WebBrowserTest::commandsHaveActedOnTheFocusedFrameWhenTheyReturn_data()
{
    QTest::addColumn<QString>("selectFirst");  // script run in the page beforehand
    QTest::addColumn<QStringList>("commands");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("selection");  // left in frame T
    const QString selectInContents = "frames['toc'].focus();" + selectContents("toc", "#toc");
    QTest::newRow("Copy with nothing selected") << QString() << QStringList{"Copy"} << QString() << QString();
    QTest::newRow("Copy ignores a selection in another frame")
        << selectInContents << QStringList{"Copy"} << QString() << QString();
    QTest::newRow("SelectAll then Copy in T after the focus was elsewhere")
        << selectInContents << QStringList{"SelectAll", "Copy"} << textOfA << textOfA;
    QTest::newRow("SelectAll, Copy, Unselect") << QString() << QStringList{"SelectAll", "Copy", "Unselect"} << textOfA << QString();
}

void WebBrowserTest::commandsHaveActedOnTheFocusedFrameWhenTheyReturn()
{
    QFETCH(QString, selectFirst);
    QFETCH(QStringList, commands);
    show("index.html", 3);
    js(selectFirst);
    QGuiApplication::clipboard()->clear();
    QTRY_VERIFY(QGuiApplication::clipboard()->text().isEmpty());
    view_->focusFrame("T");
    for (const QString& command : commands)
        view_->execCommand(command);
    QTEST(QGuiApplication::clipboard()->text().trimmed(), "clipboard");
    QTEST(selectionIn(view_->page(), "T").trimmed(), "selection");
}

QTEST_MAIN(WebBrowserTest)
#include "web_browser_test.moc"
