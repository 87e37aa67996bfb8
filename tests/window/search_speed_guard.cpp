// The one timed check of the suite: the window's search, from Enter to its
// results page, against a bare web view's load of the same page in the same
// run. Only a gross regression fails it, such as a wait that holds the
// results back until a deadline: the search is refused at three times the
// floor (the median of seven rounds), which it stays well under on any machine.
#include "bench/results_timing.h"
#include "tests/support/reader_fixture.h"

class SearchSpeedGuard : public QObject {
    Q_OBJECT

private slots:
    void searchShowsItsResultsWithinThreeTimesABareViewsLoad()
    {
        ReaderFixture reader;
        Form1& form = reader.start();
        QWebEngineView bare;
        results_timing::showBeside(bare, form);
        const double median = results_timing::medianRatio(form, bare, QStringLiteral("koča"), 7);
        QVERIFY2(median <= 3.0, qPrintable(QStringLiteral("the search took %1 times a bare view's load").arg(median)));
    }
};

QTEST_MAIN(SearchSpeedGuard)
#include "search_speed_guard.moc"
