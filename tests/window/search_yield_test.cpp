// The window's search lets the event loop run once per time slice: what a
// person can do while it runs, and the caption it leaves.
#include "tests/support/reader_fixture.h"

#include "window/event_slices.h"
#include "window/picture_button.h"
#include "window/search_panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>

#include <functional>
#include <thread>

namespace {

// Twelve pages: "xenon" only on the last, "xaver" on every one.
void writeStatute(const ReaderFixture& reader)
{
    const QStringList arguments{LEXORIA_SOURCE_DIR "/tools/make_statute.py", QString::fromStdString(reader.appDir()),
                                "--pages", "12", "--page-bytes", "4096", "--plant", "xenon=12", "--plant", "xaver=all"};
    QCOMPARE(QProcess::execute(QStringLiteral("python3"), arguments), 0);
}

void searchByEnter(Form1& form, const QString& query)
{
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QTRY_VERIFY(form.Text1->hasFocus());
    form.Text1->setText(query);
    QTest::keyClick(form.Text1, Qt::Key_Return);
}

// Runs step at the next `rounds` yields of the event loop. Each run outlasts
// a slice, so a search yields again straight after its next page.
void atNextYields(Form1& form, int rounds, const std::function<void()>& step)
{
    QMetaObject::invokeMethod(&form, [&form, rounds, step] {
        step();
        std::this_thread::sleep_for(2 * EventSlices::slice);
        if (rounds > 1)
            atNextYields(form, rounds - 1, step);
    }, Qt::QueuedConnection);
}

}  // namespace

class SearchYieldTest : public QObject {
    Q_OBJECT

private slots:
    void pendingCallsRunDuringTheSearchAndASecondSearchIsRefused();
    void captionEndsOnTheLastUnmatchedPageOrAsFound_data();
    void captionEndsOnTheLastUnmatchedPageOrAsFound();
};

void SearchYieldTest::pendingCallsRunDuringTheSearchAndASecondSearchIsRefused()
{
    ReaderFixture reader;
    writeStatute(reader);
    Form1& form = reader.start();
    const QString before = form.Label1->text();
    QStringList seen;
    atNextYields(form, 3, [&] {
        // A second search would run to its end and close the panel.
        QTest::mouseClick(form.Image1[8], Qt::LeftButton);
        seen << form.Label1->text() + (form.Frame1->isVisible() ? "" : " (panel closed)");
    });
    searchByEnter(form, QStringLiteral("xylofon"));
    QCOMPARE(seen, (QStringList{before, " 1", " 2"}));
}

void SearchYieldTest::captionEndsOnTheLastUnmatchedPageOrAsFound_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("resultsWritable");
    QTest::addColumn<QString>("caption");  // empty: the caption found before the search
    QTest::newRow("no page matches") << "xylofon" << true << " 12";
    QTest::newRow("the last page matches") << "xenon" << true << " 11";
    QTest::newRow("every page matches") << "xaver" << true << "";
    QTest::newRow("the results cannot be written") << "xylofon" << false << "";
}

void SearchYieldTest::captionEndsOnTheLastUnmatchedPageOrAsFound()
{
    QFETCH(QString, query);
    QFETCH(bool, resultsWritable);
    QFETCH(QString, caption);
    ReaderFixture reader;
    writeStatute(reader);
    if (!resultsWritable)
        std::filesystem::create_directory(reader.path("found.html"));
    Form1& form = reader.start();
    const QString before = form.Label1->text();
    searchByEnter(form, query);
    QCOMPARE(form.Label1->text(), caption.isEmpty() ? before : caption);
    QCOMPARE(reader.failures.size(), std::size_t{resultsWritable ? 0u : 1u});
}

QTEST_MAIN(SearchYieldTest)
#include "search_yield_test.moc"
