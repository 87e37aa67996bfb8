// The one timed check of the suite: the window's search, from Enter to its
// results page, against a bare web view's load of the same page in the same
// run. Only a gross regression fails it, such as a wait that holds the
// results back until a deadline: the search is refused at three times the
// floor, which it stays well under on any machine.
#include "tests/support/reader_fixture.h"
#include "bench/results_timing.h"

#include <algorithm>
#include <vector>

class SearchSpeedGuard : public QObject {
    Q_OBJECT

private slots:
    void searchShowsItsResultsWithinThreeTimesABareViewsLoad()
    {
        constexpr int rounds = 7;
        ReaderFixture reader;
        Form1& form = reader.start();
        QWebEngineView bare;
        bare.resize(form.WebBrowser1->size());
        bare.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bare));
        form.activateWindow();
        (void)QTest::qWaitForWindowActive(&form);
        std::vector<double> ratios;
        for (int round = 0; round < rounds; ++round) {
            const results_timing::Round times = results_timing::pairedRound(form, bare, QStringLiteral("koča"));
            ratios.push_back(times.search / times.floor);
        }
        std::nth_element(ratios.begin(), ratios.begin() + rounds / 2, ratios.end());
        const double median = ratios[rounds / 2];
        qInfo("median search / bare load: %.2f", median);
        QVERIFY2(median <= 3.0, qPrintable(QStringLiteral("the search took %1 times a bare view's load").arg(median)));
    }
};

QTEST_MAIN(SearchSpeedGuard)
#include "search_speed_guard.moc"
