// The hits of a search, marked on the page that a link of its results page
// opens, stepped through with F3 and Shift+F3 and taken off with Escape.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"

#include <QApplication>
#include <QLineEdit>

namespace {

// A page whose word "čebelnjak" stands far below its top, three times in
// three cases, with a link to a second page that holds the word as well.
QByteArray longPageWithHits()
{
    QByteArray page = "<html><body><a name=\"F1\"></a>";
    for (int i = 0; i < 200; ++i)
        page += "<p>Odstavek brez iskane besede.</p>";
    page += "<p>\xc8" "ebelnjak, \xe8" "ebelnjak in \xc8" "EBELNJAK.</p>"
            "<p><a href=\"clen081.html\">nazaj</a></p></body></html>";
    return page;
}

int frameNumber(ReaderFixture& reader, const QString& expression)
{
    return reader.evaluate(QStringLiteral("(function (doc) { return %1; })(window.frames['T'].document)")
                               .arg(expression)).toInt();
}

int hitCount(ReaderFixture& reader)
{
    return frameNumber(reader, QStringLiteral("doc.querySelectorAll('mark[data-lexoria-hit]').length"));
}

int currentHit(ReaderFixture& reader)
{
    return frameNumber(reader, QStringLiteral("Array.from(doc.querySelectorAll('mark[data-lexoria-hit]'))"
                                              ".findIndex(m => m.hasAttribute('data-lexoria-current'))"));
}

void pressKey(Form1& form, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : &form, key, modifiers);
}

}  // namespace

class SearchHitsTest : public QObject {
    Q_OBJECT

private slots:
    void resultOpensScrolledToItsMarkedHits();
};

void SearchHitsTest::resultOpensScrolledToItsMarkedHits()
{
    ReaderFixture reader;
    reader.write("clen083.html", longPageWithHits());
    reader.write("clen081.html", "<html><body><p>\xe8" "ebelnjak</p></body></html>");
    Form1& form = reader.start();
    QSignalSpy completed(form.WebBrowser1, &WebBrowser::DocumentComplete);
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    form.Text1->setText(QStringLiteral("ČEBELNJAK"));
    QTest::mouseClick(form.Image1[8], Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(reader.frameUrl().endsWith(QLatin1String("/found.html")), 20000);

    reader.evaluate(QStringLiteral("window.frames['T'].document.querySelector('a[href*=\"clen083\"]').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(hitCount(reader), 3, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(frameNumber(reader, QStringLiteral("doc.defaultView.scrollY")) > 0, 20000);
    QCOMPARE(currentHit(reader), 0);
    pressKey(form, Qt::Key_F3);
    QCOMPARE(currentHit(reader), 1);
    pressKey(form, Qt::Key_F3, Qt::ShiftModifier);
    pressKey(form, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(currentHit(reader), 2);
    pressKey(form, Qt::Key_Escape);
    QCOMPARE(hitCount(reader), 0);
    QVERIFY(reader.frameText().contains(QStringLiteral("Čebelnjak, čebelnjak in ČEBELNJAK.")));

    // The next page holds the word too, but no results page opened it.
    completed.clear();
    reader.evaluate(QStringLiteral("window.frames['T'].document.querySelector('a[href=\"clen081.html\"]').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty() && completed.last().at(0).toUrl().fileName() == u"clen081.html",
                             20000);
    QCOMPARE(hitCount(reader), 0);
    QVERIFY(reader.failures.empty());
}

QTEST_MAIN(SearchHitsTest)
#include "search_hits_test.moc"
