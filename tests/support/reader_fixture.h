#pragma once

// The real main window started on a private copy of the assembled
// application directory, with helpers to wait for the web view.
#include "shell/failure_report.h"
#include "shell/form1.h"
#include "shell/web_browser.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// Waits in the event loop until the condition holds or the time is up;
// returns whether it holds.
template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = 20000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < timeoutMs)
        QTest::qWait(20);
    return condition();
}

class ReaderFixture {
public:
    ReaderFixture()
    {
        std::filesystem::copy(LEXORIA_APP_DIR, directory_.path().toStdString(),
                              std::filesystem::copy_options::recursive);
        previousReporter_ = setFailureReporter([this](const std::string& what) { failures.push_back(what); });
    }

    ~ReaderFixture() { setFailureReporter(previousReporter_); }

    ReaderFixture(const ReaderFixture&) = delete;
    ReaderFixture& operator=(const ReaderFixture&) = delete;

    std::string path(const std::string& name) const { return appDir() + "/" + name; }
    std::string appDir() const { return directory_.path().toStdString(); }

    // Replaces a file of the copy, e.g. a skin picture or the language file.
    void write(const std::string& name, const QByteArray& bytes) const
    {
        QFile out(QString::fromStdString(path(name)));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }

    // The window, created but not yet started.
    Form1& create()
    {
        form_ = std::make_unique<Form1>(programInfoFromPath(path("lexoria")));
        return *form_;
    }

    // Starts the window and waits until the home page has loaded.
    Form1& start()
    {
        if (!form_)
            create();
        QSignalSpy loaded(form_->WebBrowser1, &QWebEngineView::loadFinished);
        form_->Form_Load();
        // Keys go to the active window; without a window manager nobody
        // else activates it.
        form_->activateWindow();
        QTest::qWaitForWindowActive(form_.get());
        if (loaded.isEmpty())
            loaded.wait(30000);
        settle();
        return *form_;
    }

    Form1& form() { return *form_; }

    // Lets the web view finish what it is doing.
    void settle(int ms = 300) const { QTest::qWait(ms); }

    QString evaluate(const QString& script)
    {
        QString result;
        bool done = false;
        form_->WebBrowser1->page()->runJavaScript(script, [&](const QVariant& value) {
            result = value.toString();
            done = true;
        });
        waitUntil([&] { return done; });
        return result;
    }

    QString frameUrl(const QString& frame = QStringLiteral("T"))
    {
        return evaluate(QStringLiteral("window.frames['%1'].location.href").arg(frame));
    }

    QString frameText(const QString& frame = QStringLiteral("T"))
    {
        return evaluate(QStringLiteral("window.frames['%1'].document.body.innerText").arg(frame));
    }

    std::vector<std::string> failures;

private:
    QTemporaryDir directory_;
    std::unique_ptr<Form1> form_;
    FailureReporter previousReporter_;
};
