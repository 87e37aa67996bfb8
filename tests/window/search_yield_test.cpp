// The window's search lets the event loop run once per time slice: what a
// person can do while it runs, and the caption it leaves.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"
#include "window/search_panel.h"

#include <QLabel>
#include <QLineEdit>

namespace {

// Runs step at every yield of the event loop while the search panel is open.
void whilePanelOpen(Form1& form, const std::function<void()>& step)
{
    QMetaObject::invokeMethod(&form, [&form, step] {
        if (form.Frame1->isVisible()) {
            step();
            whilePanelOpen(form, step);
        }
    }, Qt::QueuedConnection);
}

const QString longScan = QString(2000, 'q') + 'x';

}  // namespace

class SearchYieldTest : public QObject {
    Q_OBJECT

private slots:
    void searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption_data();
    void searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption();
};

void SearchYieldTest::searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("resultsWritable");
    QTest::addColumn<QString>("caption");  // empty: the caption found before the search
    QTest::newRow("no page matches") << longScan << true << " 128";
    QTest::newRow("the last page matches") << "xenon" << true << " 127";
    QTest::newRow("every page matches") << "qqq" << true << "";
    QTest::newRow("the results cannot be written") << longScan << false << "";
}

void SearchYieldTest::searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption()
{
    QFETCH(QString, query);
    QFETCH(bool, resultsWritable);
    QFETCH(QString, caption);
    ReaderFixture reader;
    // 128 listed pages of q's, the last beginning with "xenon". The long
    // query is compared at every byte: a scan that spans many slices.
    reader.write("q.html", QByteArray(64 * 1024, 'q'));
    reader.write("last.html", "xenon" + QByteArray(64 * 1024, 'q'));
    reader.write("Wlist.idx", QByteArray("\"q.html\",\"Q\"\r\n").repeated(127) + "\"last.html\",\"L\"\r\n");
    if (!resultsWritable)
        std::filesystem::create_directory(reader.path("found.html"));
    Form1& form = reader.start();
    const QString before = form.Label1->text();
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QTRY_VERIFY(form.Text1->hasFocus());
    form.Text1->setText(query);
    QStringList seen;
    whilePanelOpen(form, [&] {
        // A second search would run to its end and close the panel.
        QTest::mouseClick(form.Image1[8], Qt::LeftButton);
        seen << form.Label1->text() + (form.Frame1->isVisible() ? "" : " (panel closed)");
    });
    QTest::keyClick(form.Text1, Qt::Key_Return);

    const QString shown = seen.join('|');
    QVERIFY2(seen.filter("closed").isEmpty(), qPrintable(shown));
    // The long scan yields before its first page and between pages, before
    // the count of the last page shows.
    QVERIFY2((seen.indexOf(" 128") > 1) == (query == longScan), qPrintable(shown));
    QCOMPARE(form.Label1->text(), caption.isEmpty() ? before : caption);
    QCOMPARE(reader.failures.size(), std::size_t{resultsWritable ? 0u : 1u});
}

QTEST_MAIN(SearchYieldTest)
#include "search_yield_test.moc"
