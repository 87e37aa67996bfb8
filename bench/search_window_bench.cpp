// The window's search as a person meets it, on the 512-page generated
// statute: from the Enter key in the search box to the DocumentComplete of
// "found.html" in frame "T". Beside each search, a bare QWebEngineView's load
// of the same results page: the floor that no search can beat, and that
// nothing of the reader moves.
//
// Runs under an X server (xvfb-run) with the web view's root settings:
//   QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu

#include "bench/results_timing.h"
#include "window/form1.h"
#include "shell/web_browser.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <benchmark/benchmark.h>

#include <filesystem>
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

// Each round is one search, then a bare view's load of the results page it
// wrote, back to back. The round's time is the search's; the floor and the
// ratio are counters of the round. Of the rounds, the medians are the figures.
void searchByEnter(benchmark::State& state, Form1* form, QWebEngineView* bare, QString query)
{
    for (auto _ : state) {
        const results_timing::Round round = results_timing::pairedRound(*form, *bare, query);
        state.SetIterationTime(round.search);
        state.counters["floor_ms"] = round.floor * 1e3;
        state.counters["ratio"] = round.search / round.floor;
    }
}

void registerQuery(const std::string& name, Form1* form, QWebEngineView* bare, const QString& query)
{
    benchmark::RegisterBenchmark(("search/" + name).c_str(), searchByEnter, form, bare, query)
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
    QWebEngineView bare;
    results_timing::showBeside(bare, form);
    QTest::qWait(1000);

    // "xylofon" is nowhere; "xenon" is planted in three pages; every page's
    // heading holds "člen".
    registerQuery("noMatch", &form, &bare, QStringLiteral("xylofon"));
    registerQuery("fewMatch", &form, &bare, QStringLiteral("xenon"));
    registerQuery("everyPage", &form, &bare, QStringLiteral("člen"));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
