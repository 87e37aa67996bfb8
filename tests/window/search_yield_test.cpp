// The window's search lets the event loop run once per time slice: what a
// person can do while it runs, and the caption it leaves.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"
#include "window/search_panel.h"

#include <QLabel>
#include <QLineEdit>

#include <functional>

namespace {

// 128 listed pages of 64 KiB of "q", the last with "xenon" in it. A query
// of many q's ending in x is compared at every byte of every page: a search
// long enough to span many slices.
const int pages = 128;
const QString longQuery = QString(2000, 'q') + 'x';

void writeStatute(const ReaderFixture& reader)
{
    reader.write("q.html", QByteArray(64 * 1024, 'q'));
    reader.write("last.html", "xenon" + QByteArray(64 * 1024, 'q'));
    reader.write("Wlist.idx", QByteArray("\"q.html\",\"Q\"\r\n").repeated(pages - 1) + "\"last.html\",\"L\"\r\n");
}

void openPanelWith(Form1& form, const QString& query)
{
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QTRY_VERIFY(form.Text1->hasFocus());
    form.Text1->setText(query);
}

// Runs step at every yield of the event loop while the search panel is open.
void whilePanelOpen(Form1& form, const std::function<void()>& step)
{
    QMetaObject::invokeMethod(&form, [&form, step] {
        if (!form.Frame1->isVisible())
            return;
        step();
        whilePanelOpen(form, step);
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
    openPanelWith(form, longQuery);
    QStringList seen;
    whilePanelOpen(form, [&] {
        // A second search would run to its end and close the panel.
        QTest::mouseClick(form.Image1[8], Qt::LeftButton);
        seen << form.Label1->text() + (form.Frame1->isVisible() ? "" : " (panel closed)");
    });
    QTest::keyClick(form.Text1, Qt::Key_Return);
    // Once before the first page, then at least once between pages before
    // the count of the last one shows.
    QVERIFY2(seen.indexOf(" 128") > 1, qPrintable(seen.join('|')));
    QVERIFY2(seen.filter("closed").isEmpty(), qPrintable(seen.join('|')));
}

void SearchYieldTest::captionEndsOnTheLastUnmatchedPageOrAsFound_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("resultsWritable");
    QTest::addColumn<QString>("caption");  // empty: the caption found before the search
    QTest::newRow("no page matches") << longQuery << true << " 128";
    QTest::newRow("the last page matches") << "xenon" << true << " 127";
    QTest::newRow("every page matches") << "qqq" << true << "";
    QTest::newRow("the results cannot be written") << longQuery << false << "";
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
    openPanelWith(form, query);
    QTest::keyClick(form.Text1, Qt::Key_Return);
    QCOMPARE(form.Label1->text(), caption.isEmpty() ? before : caption);
    QCOMPARE(reader.failures.size(), std::size_t{resultsWritable ? 0u : 1u});
}

QTEST_MAIN(SearchYieldTest)
#include "search_yield_test.moc"
