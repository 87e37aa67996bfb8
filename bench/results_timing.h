#pragma once

// Shared by the window benchmark and the search speed guard of the tests.
// The time from Enter in the search box to the results page in frame "T",
// and its floor: a bare web view's load of the same page, which nothing of
// the reader can slow down or speed up.
#include "shell/web_browser.h"
#include "window/form1.h"
#include "window/picture_element.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

namespace results_timing {

// Seconds from start() until done has been told, at most a minute.
inline double secondsUntil(const std::function<void(const std::function<void()>& done)>& watch,
                           const std::function<void()>& start)
{
    QEventLoop loop;
    bool finished = false;
    watch([&] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    QElapsedTimer clock;
    clock.start();
    start();
    if (!finished)
        loop.exec();
    if (!finished)
        throw std::runtime_error("the results page did not load within a minute");
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// The window's search for query, from Enter to "found.html" complete in frame "T".
inline double searchSeconds(Form1& form, const QString& query)
{
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    form.Text1->setText(query);
    form.Text1->setFocus();
    QMetaObject::Connection shown;
    const double seconds = secondsUntil(
        [&](const std::function<void()>& done) {
            shown = QObject::connect(form.WebBrowser1, &WebBrowser::DocumentComplete, [done](const QUrl& url) {
                if (url.fileName() == QLatin1String("found.html"))
                    done();
            });
        },
        [&] { QTest::keyClick(form.Text1, Qt::Key_Return); });
    QObject::disconnect(shown);
    return seconds;
}

// A bare view's load of the page at path, from load() to loadFinished.
inline double bareLoadSeconds(QWebEngineView& bare, const QString& path)
{
    QMetaObject::Connection loaded;
    const double seconds = secondsUntil(
        [&](const std::function<void()>& done) {
            loaded = QObject::connect(&bare, &QWebEngineView::loadFinished, [done] { done(); });
        },
        [&] { bare.load(QUrl::fromLocalFile(path)); });
    QObject::disconnect(loaded);
    return seconds;
}

struct Round {
    double search;
    double floor;
};

// One search, then the bare load of the results page it wrote, back to
// back, so that the state of the machine weighs on both alike.
inline Round pairedRound(Form1& form, QWebEngineView& bare, const QString& query)
{
    const QString found = QString::fromStdString(form.strAppPath + "found.html");
    Round round{};
    round.search = searchSeconds(form, query);
    QTest::qWait(50);  // the search's load ends before the floor's begins
    round.floor = bareLoadSeconds(bare, found);
    QTest::qWait(50);
    return round;
}

// A bare view beside the form, of the size of its view, shown.
inline void showBeside(QWebEngineView& bare, Form1& form)
{
    bare.resize(form.WebBrowser1->size());
    bare.show();
    if (!QTest::qWaitForWindowExposed(&bare))
        throw std::runtime_error("the bare view was not shown");
    form.activateWindow();
    (void)QTest::qWaitForWindowActive(&form);
}

// The median over rounds of a search's time over its floor's.
inline double medianRatio(Form1& form, QWebEngineView& bare, const QString& query, int rounds)
{
    std::vector<double> ratios;
    for (int round = 0; round < rounds; ++round) {
        const Round times = pairedRound(form, bare, query);
        ratios.push_back(times.search / times.floor);
    }
    std::nth_element(ratios.begin(), ratios.begin() + rounds / 2, ratios.end());
    return ratios[static_cast<std::size_t>(rounds / 2)];
}

}  // namespace results_timing
