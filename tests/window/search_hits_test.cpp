// The hits of a search, marked on the page that a link of its results page
// opens, stepped through with F3 and Shift+F3 and taken off with Escape.
#include "tests/support/reader_fixture.h"

#include "window/picture_button.h"

#include <QApplication>
#include <QLineEdit>

class SearchHitsTest : public QObject {
    Q_OBJECT

private slots:
    void resultOpensScrolledToItsMarkedHits();
};

void SearchHitsTest::resultOpensScrolledToItsMarkedHits()
{
    // "čebelnjak" far below the top of a page, in three cases, and on the
    // page its link leads to.
    QByteArray page = "<html><body><a name=\"F1\"></a>" + QByteArray("<p>Odstavek.</p>").repeated(200);
    page += "<p>\xc8" "ebelnjak, \xe8" "ebelnjak in \xc8" "EBELNJAK.</p><a href=\"clen081.html\">nazaj</a>";
    ReaderFixture reader;
    reader.write("clen083.html", page);
    reader.write("clen081.html", "<p>\xe8" "ebelnjak</p>");
    Form1& form = reader.start();
    // The number of hits, the current one from 0, and how far down the frame shows.
    const auto hits = [&] {
        return reader.evaluate(QStringLiteral(
            "(function (w) { const m = Array.from(w.document.querySelectorAll('mark[data-lexoria-hit]'));"
            "return m.length + ' ' + m.findIndex(x => x.hasAttribute('data-lexoria-current')) + ' '"
            "+ (w.scrollY > 0 ? 'down' : 'top'); })(window.frames['T'])"));
    };
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form, key, modifiers);
    };
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    form.Text1->setText(QStringLiteral("ČEBELNJAK"));
    QTest::mouseClick(form.Image1[8], Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(reader.frameUrl().endsWith(QLatin1String("/found.html")), 20000);

    reader.evaluate(QStringLiteral("window.frames['T'].document.querySelector('a[href*=\"clen083\"]').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(hits(), QStringLiteral("3 0 down"), 20000);
    press(Qt::Key_F3);
    QCOMPARE(hits(), QStringLiteral("3 1 down"));
    press(Qt::Key_F3, Qt::ShiftModifier);
    press(Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(hits(), QStringLiteral("3 2 down"));
    press(Qt::Key_Escape);
    QCOMPARE(hits().section(u' ', 0, 0), QStringLiteral("0"));
    QVERIFY(reader.frameText().contains(QStringLiteral("Čebelnjak, čebelnjak in ČEBELNJAK.")));

    // The next page holds the word too, but no results page opened it.
    QSignalSpy completed(form.WebBrowser1, &WebBrowser::DocumentComplete);
    reader.evaluate(QStringLiteral("window.frames['T'].document.querySelector('a[href=\"clen081.html\"]').click()"));
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty() && completed.last().at(0).toUrl().fileName() == u"clen081.html",
                             20000);
    QCOMPARE(hits(), QStringLiteral("0 -1 top"));
    QVERIFY(reader.failures.empty());
}

QTEST_MAIN(SearchHitsTest)
#include "search_hits_test.moc"
