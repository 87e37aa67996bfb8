#include "shell/web_browser.h"
#include "tests/support/page_script.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QWebEngineHistory>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <memory>

using Action = std::function<void(WebBrowser&)>;
Q_DECLARE_METATYPE(Action)

class WebBrowserTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    std::unique_ptr<WebBrowser> view_;

    QString path(const QString& name) const { return dir_.filePath(name); }
    QUrl url(const QString& name) const { return QUrl::fromLocalFile(path(name)); }
    QVariant js(const QString& script) { return runScript(view_->page(), script); }

    // Opens a page, in the whole view or in a frame, and waits until that
    // many documents are complete.
    void show(const QString& name, int documents = 1, const QString& frame = {})
    {
        QSignalSpy complete(view_.get(), &WebBrowser::DocumentComplete);
        frame.isEmpty() ? view_->Navigate(path(name)) : view_->Navigate(path(name), frame);
        QTRY_COMPARE_WITH_TIMEOUT(complete.size(), documents, loadTimeoutMs);
    }

private slots:
    // Pages in Latin-2 bytes, as the statute's are.
    void initTestCase()
    {
        const QByteArray head = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-2\"></head><body>";
        const std::pair<const char*, QByteArray> files[]{
            {"index.html", "<frameset cols=\"30%,70%\"><frame name=\"toc\" src=\"toc.html\"><frame name=\"T\" src=\"a.html\"></frameset>"},
            {"toc.html", head + "<p id=\"toc\">Obsah</p><a id=\"toC\" href=\"c.html\" target=\"T\">C</a>"},
            {"a.html", head + "<p>\xC8len 1: \xE8\xB9\xBE velja.</p>"},
            // Console output of a page's own must not pass for the view's signal.
            {"b.html", head + "<script>console.log('begin'); console.debug('complete file:///x');</script>"},
            {"c.html", head + "<p>Stran C</p>"},
            {"h.html", head + "<p>Uvod</p><h2 id=\"start\">Naslov</h2><h1>Drugi</h1>"},
            {"m.html", head + "<h1>Naslov</h1><li id=\"start\">Prvi <mark data-lexoria-current>zadetek</mark></li>"},
            {"r.html", head + "<h1 id=\"h\">Naslov</h1><ul><li id=\"l\">To\xE8ka <a href=\"c.html\">povezava</a><ul><li id=\"n\">"
                              "Notranja</li></ul></li></ul><p hidden>Skrito</p><p id=\"p\">Zadnji</p><input id=\"i\">"},
            {"single.html", head + "<p>Brez okvirjev</p>"}};
        for (const auto& [name, bytes] : files) {
            QFile file(path(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
    }

    void init()
    {
        view_ = std::make_unique<WebBrowser>(dir_.path());
        view_->resize(800, 600), view_->show();
        QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    }

    void cleanup() { view_.reset(); }

    void eachDocumentRaisesOneBeginAndOneComplete_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<QStringList>("completed");  // after the home page's
        QTest::newRow("Navigate into frame T") << Action([this](WebBrowser& v) { v.Navigate(path("b.html"), "T"); }) << QStringList{"b.html"};
        QTest::newRow("link clicked in the contents frame")
            << Action([this](WebBrowser&) { js("frames['toc'].document.getElementById('toC').click()"); }) << QStringList{"c.html"};
        QTest::newRow("back and forward inside frame T") << Action([this](WebBrowser& v) {
            show("b.html", 1, "T");
            // Forward only once the page back has loaded whole, or its
            // completion may never come.
            QSignalSpy back(&v, &WebBrowser::DocumentComplete);
            v.GoBack();
            QTRY_VERIFY_WITH_TIMEOUT(!back.isEmpty() && back.last().at(0).toUrl() == url("a.html"), loadTimeoutMs);
            v.GoForward();
        }) << QStringList{"b.html", "a.html", "b.html"};
        // Steps that load no frameset: the navigation after them waits for none.
        QTest::newRow("Back over an anchor the page set itself") << Action([this](WebBrowser& v) {
            js("frames['T'].location.hash = 'x'");
            QTRY_COMPARE_WITH_TIMEOUT(v.history()->count(), 2, loadTimeoutMs);
            v.GoBack();
        }) << QStringList{};
        QTest::newRow("a load stopped before it started") << Action([this](WebBrowser& v) { v.Navigate(path("single.html")); v.Stop(); }) << QStringList{};
    }

    // A last navigation into frame T closes the record: whatever the action
    // raised has arrived before its events. No wait ran out its deadline.
    void eachDocumentRaisesOneBeginAndOneComplete()
    {
        QFETCH(QStringList, completed);
        QSignalSpy begins(view_.get(), &WebBrowser::DownloadBegin);
        QSignalSpy completes(view_.get(), &WebBrowser::DocumentComplete);
        show("index.html", 3);
        QFETCH(Action, action);
        action(*view_);
        QTRY_VERIFY_WITH_TIMEOUT(completes.size() >= 3 + completed.size(), loadTimeoutMs);
        view_->Navigate(path("single.html"), "T");
        QTRY_VERIFY_WITH_TIMEOUT(completes.last().at(0).toUrl() == url("single.html"), loadTimeoutMs);
        QStringList names;
        for (const QList<QVariant>& event : completes) names << event.at(0).toUrl().fileName();
        names.sort();
        (completed << "index.html" << "toc.html" << "a.html" << "single.html").sort();
        QCOMPARE(names, completed); QCOMPARE(begins.size(), completed.size());
        QCOMPARE(view_->waitsRunOut(), 0);
    }

    void refusedOperationsThrowAndKeepThePage_data()
    {
        QTest::addColumn<bool>("home");  // shown first; else the view is empty
        QTest::addColumn<Action>("action");
        QTest::newRow("GoBack at the first page") << true << Action([](WebBrowser& v) { v.GoBack(); });
        QTest::newRow("GoForward at the newest page") << true << Action([](WebBrowser& v) { v.GoForward(); });
        QTest::newRow("focusFrame before any document") << false << Action([](WebBrowser& v) { v.focusFrame("T"); });
        QTest::newRow("focusFrame of a missing frame") << true << Action([](WebBrowser& v) { v.focusFrame("X"); });
        QTest::newRow("Navigate into a missing frame") << true << Action([this](WebBrowser& v) { v.Navigate(path("b.html"), "X"); });
        QTest::newRow("print a missing frame") << true << Action([](WebBrowser& v) { QPrinter p; v.printFrame("X", &p); });
        QTest::newRow("unknown command") << true << Action([](WebBrowser& v) { v.execCommand("Bold"); });
        QTest::newRow("ExecWB other than print with dialog") << true << Action([](WebBrowser& v) { v.ExecWB(6, 2); });
    }

    void refusedOperationsThrowAndKeepThePage()
    {
        QFETCH(bool, home);
        if (home) show("index.html", 3);
        const QUrl before = view_->url();
        QFETCH(Action, action);
        QVERIFY_THROWS_EXCEPTION(WebBrowserError, action(*view_));
        QCOMPARE(view_->url(), before);
    }

    // Reading starts at the current hit's block, before the page's heading,
    // else at the first heading, and Down and Up move it block by block. Each
    // step names the focused block, or "kept" where the page kept the key.
    void readingStartsAtTheHitOrFirstHeadingAndMovesBlockByBlock_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("focus");  // moved after the start: to an element, or to "none"
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QStringList>("focused");
        QTest::newRow("the current hit's list item") << "m.html" << "" << QList<int>{} << QStringList{"start"};
        QTest::newRow("the first heading, not the first block") << "h.html" << "" << QList<int>{} << QStringList{"start"};
        QTest::newRow("Down: an item, the item inside it, past hidden text, then stays; Up: back")
            << "r.html" << "" << QList<int>{1, 1, 1, 1, -1, -1} << QStringList{"h", "l", "n", "p", "p", "n", "l"};
        QTest::newRow("Down from the top once nothing has the focus") << "r.html" << "none" << QList<int>{1} << QStringList{"h", "h"};
        QTest::newRow("a form control keeps its arrow keys") << "r.html" << "i" << QList<int>{1} << QStringList{"h", "kept"};
    }

    void readingStartsAtTheHitOrFirstHeadingAndMovesBlockByBlock()
    {
        QFETCH(QString, page);
        QFETCH(QString, focus);
        QFETCH(QList<int>, steps);
        const auto focusedId = [this] { return js(inFrame("T", "document.activeElement.id")).toString(); };
        show("index.html", 3);
        show(page, 1, "T");
        view_->focusReadingStart("T", path(page));
        QTRY_VERIFY(!focusedId().isEmpty());
        QStringList focused{focusedId()};
        js(inFrame("T", focus == "none" ? "document.activeElement.blur()" : "document.getElementById('" + focus + "')?.focus()"));
        for (int step : steps)
            focused << (view_->readOnward(step) ? focusedId() : "kept");
        QTEST(focused, "focused");
    }

    // Frame T is focused while the contents frame holds the focus and a
    // selection; the commands must have taken effect when they return, and
    // leave no selection in T.
    void commandsActOnTheFocusedFrameBeforeTheyReturn_data()
    {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("Copy ignores the selection of another frame") << QStringList{"Copy"} << QString();
        QTest::newRow("SelectAll, Copy, Unselect") << QStringList{"SelectAll", "Copy", "Unselect"} << QStringLiteral("Člen 1: čšž velja.");
    }

    void commandsActOnTheFocusedFrameBeforeTheyReturn()
    {
        QFETCH(QStringList, commands);
        show("index.html", 3);
        js("frames['toc'].focus();" + selectContents("toc", "#toc"));
        QGuiApplication::clipboard()->clear();
        QTRY_VERIFY(QGuiApplication::clipboard()->text().isEmpty());
        view_->focusFrame("T");
        for (const QString& command : commands) view_->execCommand(command);
        QTEST(QGuiApplication::clipboard()->text().trimmed(), "clipboard");
        QCOMPARE(selectionIn(view_->page(), "T"), QString());
    }
};

QTEST_MAIN(WebBrowserTest)
#include "web_browser_test.moc"
