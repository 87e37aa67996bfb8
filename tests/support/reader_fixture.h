#pragma once

// The real main window started on a private copy of the assembled
// application directory, with helpers to read what the web view shows.
#include "shell/failure_report.h"
#include "shell/form1.h"
#include "shell/web_browser.h"
#include "tests/support/page_script.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

    // Starts the window and waits until the home page and its frames have
    // loaded.
    Form1& start()
    {
        if (!form_)
            create();
        QSignalSpy loaded(form_->WebBrowser1, &QWebEngineView::loadFinished);
        form_->Form_Load();
        // Keys go to the active window; without a window manager nobody
        // else activates it.
        form_->activateWindow();
        waitUntil([&] { return form_->isActiveWindow() && !loaded.isEmpty(); }, 30000);
        settle();
        return *form_;
    }

    Form1& form() { return *form_; }

    // Waits until the page and its frames have loaded their documents whole.
    void settle(int timeoutMs = loadTimeoutMs) const
    {
        waitUntil([this] { return allFramesComplete(form_->WebBrowser1->page()); }, timeoutMs);
    }

    QString evaluate(const QString& script) { return runScript(form_->WebBrowser1->page(), script).toString(); }

    QString frameUrl(const QString& frame = QStringLiteral("T"))
    {
        return evaluate(inFrame(frame, QStringLiteral("location.href")));
    }

    QString frameText(const QString& frame = QStringLiteral("T"))
    {
        return evaluate(inFrame(frame, QStringLiteral("document.body.innerText")));
    }

    std::vector<std::string> failures;

private:
    QTemporaryDir directory_;
    std::unique_ptr<Form1> form_;
    FailureReporter previousReporter_;
};
