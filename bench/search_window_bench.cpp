// The window's search as a person meets it, on the 512-page generated
// statute: from the Enter key in the search box to the DocumentComplete of
// "found.html" in frame "T". Beside each search, the plain Navigate of frame
// "T" to the same results page: the floor that no search can beat.
//
// Runs under an X server (xvfb-run) with the web view's root settings:
//   QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

#include "window/form1.h"
#include "shell/web_browser.h"
#include "window/picture_element.h"
#include "window/search_panel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace {

namespace fs = std::filesystem;

// The generated statute with the skin and language file of the assembled
// application directory, in a folder of its own.
void assembleApplicationDirectory(const fs::path& target)
{
    const auto options = fs::copy_options::recursive | fs::copy_options::overwrite_existing;
    fs::copy(LEXORIA_BENCH_STATUTE, target, options);
    fs::copy(fs::path(LEXORIA_APP_DIR) / "Skin", target / "Skin", options);
    fs::copy(fs::path(LEXORIA_APP_DIR) / "slo.lng", target / "slo.lng", options);
}

// Seconds from start() until frame "T" has completed "found.html".
double secondsUntilResultsShown(Form1& form, const std::function<void()>& start)
{
    QEventLoop loop;
    bool shown = false;
    const auto connection = QObject::connect(form.WebBrowser1, &WebBrowser::DocumentComplete, &loop,
                                             [&](const QUrl& url) {
                                                 if (url.fileName() != QLatin1String("found.html"))
                                                     return;
                                                 shown = true;
                                                 loop.quit();
                                             });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    start();
    if (!shown)
        loop.exec();
    const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    QObject::disconnect(connection);
    if (!shown)
        throw std::runtime_error("found.html was not shown within a minute");
    return seconds;
}

void typeQuery(Form1& form, const QString& query)
{
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    form.Text1->setText(query);
    form.Text1->setFocus();
}

// Lets the load of the last round end before the next is timed.
void settle() { QTest::qWait(50); }

// Each round is one search, then the plain load of the results page it
// wrote, back to back, so that the state of the machine weighs on both
// alike. The round's time is the search's; the floor and the ratio are
// counters of the round. Of the rounds, the medians are the figures.
void searchByEnter(benchmark::State& state, Form1* form, QString query)
{
    const QString found = QString::fromStdString(form->strAppPath + "found.html");
    for (auto _ : state) {
        typeQuery(*form, query);
        const double search =
            secondsUntilResultsShown(*form, [&] { QTest::keyClick(form->Text1, Qt::Key_Return); });
        settle();
        const double floor =
            secondsUntilResultsShown(*form, [&] { form->WebBrowser1->Navigate(found, QStringLiteral("T")); });
        settle();
        state.SetIterationTime(search);
        state.counters["floor_ms"] = floor * 1e3;
        state.counters["ratio"] = search / floor;
    }
}

void registerQuery(const std::string& name, Form1* form, const QString& query)
{
    benchmark::RegisterBenchmark(("search/" + name).c_str(), searchByEnter, form, query)
        ->UseManualTime()
        ->Iterations(1)
        ->Repetitions(21)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir directory;
    assembleApplicationDirectory(directory.path().toStdString());
    Form1 form(programInfoFromPath(directory.filePath(QStringLiteral("lexoria")).toStdString()));
    form.Form_Load();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        throw std::runtime_error("the window did not become active");
    QTest::qWait(1000);

    // "xylofon" is nowhere; "xenon" is planted in three pages; every page's
    // heading holds "člen".
    registerQuery("noMatch", &form, QStringLiteral("xylofon"));
    registerQuery("fewMatch", &form, QStringLiteral("xenon"));
    registerQuery("everyPage", &form, QStringLiteral("člen"));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
