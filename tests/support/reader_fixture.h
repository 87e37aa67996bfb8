#pragma once

// The real main window started on a private copy of the assembled
// application directory, with helpers to read what the web view shows.
#include "base/app_files.h"
#include "shell/failure_report.h"
#include "window/form1.h"
#include "shell/web_browser.h"
#include "tests/support/page_script.h"

#include <QFile>
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
        copyStatute(LEXORIA_APP_DIR, appDir());
        previousReporter_ = setFailureReporter([this](const std::string& what) { failures.push_back(what); });
    }
    ~ReaderFixture() { setFailureReporter(previousReporter_); }

    std::string path(const std::string& name) const { return appDir() + "/" + name; }
    std::string appDir() const { return directory_.path().toStdString(); }

    // Replaces a file of the copy, e.g. a skin picture or the language file.
    void write(const std::string& name, const QByteArray& bytes) const
    {
        QFile out(QString::fromStdString(path(name)));
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(bytes) == bytes.size());
    }

    // The window, created but not yet started.
    Form1& create() { return *(form_ = std::make_unique<Form1>(programInfoFromPath(path("lexoria")))); }

    // Starts the window and waits until it is active (without a window
    // manager nobody else activates it) and the home page and its frames
    // have loaded.
    Form1& start()
    {
        Form1& form = form_ ? *form_ : create();
        QSignalSpy loaded(form.WebBrowser1, &QWebEngineView::loadFinished);
        form.Form_Load();
        form.activateWindow();
        // Bounded: under Wayland a window is never told it is active.
        (void)QTest::qWaitForWindowActive(&form);
        waitUntil([&] { return !loaded.isEmpty(); }, 30000);
        settle();
        return form;
    }

    // Waits until the page and its frames have loaded their documents whole.
    void settle(int timeoutMs = loadTimeoutMs) const { waitUntil([this] { return allFramesComplete(form_->WebBrowser1->page()); }, timeoutMs); }

    // True once frame T shows the page whose address ends with `page` and the
    // frameset and its frames have loaded whole. A load shows its address
    // before its document is whole, and a frameset before its frames exist:
    // a script that selects or clicks in a frame waits for both.
    bool showsWhole(const QString& page) { return frameUrl().endsWith(page) && allFramesComplete(form_->WebBrowser1->page()); }

    QString evaluate(const QString& script) { return runScript(form_->WebBrowser1->page(), script).toString(); }
    QString frameUrl(const QString& frame = "T") { return evaluate(inFrame(frame, "location.href")); }
    QString frameText(const QString& frame = "T") { return evaluate(inFrame(frame, "document.body.innerText")); }

    std::vector<std::string> failures;

    // The application directory but a results page, whole or half-written,
    // that a search in it left: a copy starts as a reader that searched nothing.
    static void copyStatute(const std::filesystem::path& from, const std::filesystem::path& to)
    {
        const std::string results = lexoria::appFiles::resultsPage;
        for (const auto& entry : std::filesystem::directory_iterator(from))
            if (const std::string name = entry.path().filename().string(); name != results && !name.starts_with(results + ".partial-"))
                std::filesystem::copy(entry.path(), to / name, std::filesystem::copy_options::recursive);
    }

private:
    QTemporaryDir directory_;
    std::unique_ptr<Form1> form_;
    FailureReporter previousReporter_;
};
