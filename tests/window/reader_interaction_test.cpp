// The reader driven as a person drives it: the search panel, a query with
// Slovene letters, the results page and the marked hits of the pages it
// opens, the search that yields while it runs, the history buttons, copying,
// printing, and the highlight of the picture buttons.
#include "tests/support/reader_fixture.h"

#include "base/whole_file.h"
#include "search/codepage.h"
#include "window/picture_button.h"
#include "window/picture_file.h"
#include "window/search_panel.h"

#include <QAbstractPrintDialog>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>

#define WAIT_FOR(condition) QTRY_VERIFY_WITH_TIMEOUT(condition, loadTimeoutMs)

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

class ReaderInteractionTest : public QObject {
    Q_OBJECT

private slots:
    void searchPanelKeepsItsTextAndATypedQueryOpensPagesWithTheirHitsMarked();
    void searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption_data();
    void searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption();
    void historyButtonsMoveThroughPagesAndCopyAndPrintTakeTheContentFrame();
    void pointerLightsOneButtonAtATimeAndReadsNoPictureWhileItStays();
};

void ReaderInteractionTest::searchPanelKeepsItsTextAndATypedQueryOpensPagesWithTheirHitsMarked()
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
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form, key, modifiers);
    };
    const auto openPanel = [&] { QTest::mouseClick(form.Image1[3], Qt::LeftButton); return waitUntil([&] { return form.Text1->hasFocus(); }); };

    // The panel opens with the last text selected; Cancel hides it and keeps
    // the text; Escape hides it also when no control holds the focus.
    form.Text1->setText(QStringLiteral("prejšnje iskanje"));
    QVERIFY(openPanel());
    QCOMPARE(form.Text1->selectedText(), QStringLiteral("prejšnje iskanje"));
    QTest::mouseClick(form.Image1[9], Qt::LeftButton);
    QVERIFY(!form.Frame1->isVisible());
    QCOMPARE(form.Text1->text(), QStringLiteral("prejšnje iskanje"));
    QVERIFY(openPanel());
    form.Text1->clearFocus();
    press(Qt::Key_Escape);
    QVERIFY(!form.Frame1->isVisible());

    QVERIFY(openPanel());
    // Typed letter by letter: QTest::keyClicks takes only Latin-1.
    for (const QChar letter : QStringLiteral("  ČEBELNJAK. "))
        QTest::sendKeyEvent(QTest::Click, form.Text1, Qt::Key_unknown, QString(letter), Qt::NoModifier);
    press(Qt::Key_Return);
    WAIT_FOR(reader.frameUrl().endsWith(QLatin1String("/found.html")));
    QVERIFY(!form.Frame1->isVisible());
    // The heading shows the query as searched: lower case, trimmed, the
    // point dropped, č in its Latin-2 code.
    const std::string found = lexoria::readWholeFile(reader.path("found.html"));
    QVERIFY2(found.find("<b>\xe8" "ebelnjak:<br><br></b>") != std::string::npos, found.c_str());
    // Once the results page has loaded, the lamp is off and the caption
    // label holds the title again instead of the search's progress.
    const QString caption = QString::fromStdString(lexoria::utf8FromLatin2(form.strTitula + " ... " + form.strCopy));
    WAIT_FOR(!form.Image1[Form1::busyLamp]->isVisible() && form.Label1->text() == caption);

    reader.evaluate(QStringLiteral("window.frames['T'].document.querySelector('a[href*=\"clen083\"]').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(hits(), QStringLiteral("3 0 down"), loadTimeoutMs);
    QVERIFY(reader.frameUrl().endsWith(QLatin1String("/clen083.html#F1")));
    QVERIFY(form.WebBrowser1->url().toString().endsWith(QLatin1String("/index.html")));
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
    WAIT_FOR(!completed.isEmpty() && completed.last().at(0).toUrl().fileName() == u"clen081.html");
    QCOMPARE(hits(), QStringLiteral("0 -1 top"));
    QVERIFY(reader.failures.empty());
}

void ReaderInteractionTest::searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("resultsWritable");
    QTest::addColumn<QString>("caption");  // empty: the caption found before the search
    QTest::newRow("no page matches") << longScan << true << " 128";
    QTest::newRow("the last page matches") << "xenon" << true << " 127";
    QTest::newRow("every page matches") << "qqq" << true << "";
    QTest::newRow("the results cannot be written") << longScan << false << "";
}

void ReaderInteractionTest::searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption()
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
    // A directory in the place of the results file cannot be replaced.
    if (!resultsWritable)
        std::filesystem::create_directory(reader.path("found.html"));
    Form1& form = reader.start();
    const QString before = form.Label1->text();
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    WAIT_FOR(form.Text1->hasFocus());
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
    QVERIFY(!form.Image1[Form1::busyLamp]->isVisible());
    // A failure to write the results is reported once, naming the file.
    QCOMPARE(reader.failures.size(), std::size_t{resultsWritable ? 0u : 1u});
    QVERIFY(resultsWritable || reader.failures[0].find("found.html") != std::string::npos);
}

void ReaderInteractionTest::historyButtonsMoveThroughPagesAndCopyAndPrintTakeTheContentFrame()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const QString start = reader.frameUrl();
    const auto helpShown = [&] { return reader.frameUrl().endsWith(QLatin1String("/Help.html")); };
    QTest::mouseClick(form.Image1[10], Qt::LeftButton);
    WAIT_FOR(helpShown());
    QVERIFY(form.WebBrowser1->url().toString().endsWith(QLatin1String("/index.html")));
    QTest::mouseClick(form.Image1[0], Qt::LeftButton);
    WAIT_FOR(reader.frameUrl() == start);
    QTest::mouseClick(form.Image1[1], Qt::LeftButton);
    WAIT_FOR(helpShown());
    // Forward with nothing ahead fails quietly and loads nothing.
    QSignalSpy loads(form.WebBrowser1, &WebBrowser::DownloadBegin);
    QTest::mouseClick(form.Image1[1], Qt::LeftButton);
    QCOMPARE(loads.size(), 0);
    QVERIFY(reader.failures.empty());

    // The person at the dialog chooses a PDF file and prints; accepting takes
    // the file name from the dialog's own field.
    const QString pdf = QString::fromStdString(reader.path("printed.pdf"));
    bool fileNameSet = false;
    ModalAnswer answer([&](QWidget* open) {
        auto* dialog = qobject_cast<QAbstractPrintDialog*>(open);
        if (auto* fileName = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("filename")) : nullptr)
            fileNameSet = (fileName->setText(pdf), true);
        if (dialog) dialog->accept();
    });
    QTest::mouseClick(form.Image1[11], Qt::LeftButton);
    QVERIFY(fileNameSet);
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(30000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Pomoč")) && !text.contains(QStringLiteral("I. poglavje")), qPrintable(text));

    // Copy takes the selection, or else the whole frame and leaves nothing selected.
    QTest::mouseClick(form.Image1[2], Qt::LeftButton);
    WAIT_FOR(reader.frameUrl() == start);
    QWebEnginePage* page = form.WebBrowser1->page();
    QClipboard* clipboard = QGuiApplication::clipboard();
    reader.evaluate(selectContents("T", "h1"));
    const QString selected = selectionIn(page, "T");
    QVERIFY(selected.contains(QStringLiteral("KOČAH")));
    QTest::mouseClick(form.Image1[12], Qt::LeftButton);
    WAIT_FOR(clipboard->text() == selected);
    QCOMPARE(selectionIn(page, "T"), selected);
    reader.evaluate(inFrame("T", "getSelection().removeAllRanges()"));
    QTest::mouseClick(form.Image1[12], Qt::LeftButton);
    WAIT_FOR(clipboard->text().contains(QStringLiteral("Vsebina")) && clipboard->text().contains(selected.trimmed()));
    QCOMPARE(selectionIn(page, "T"), QString());
}

void ReaderInteractionTest::pointerLightsOneButtonAtATimeAndReadsNoPictureWhileItStays()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const auto shows = [](const PictureButton* button, const std::string& file) {
        return button->pixmap().toImage() == lexoria::readPicture(file).toImage();
    };
    PictureButton* back = form.Image1[0];
    QTest::mouseMove(back, QPoint(10, 10));
    WAIT_FOR(shows(back, form.strSkinOnPath + "back.jpg"));
    // With the lit picture gone, moves within the lit button must not fail.
    std::filesystem::rename(reader.path("Skin/ON/back.jpg"), reader.path("Skin/ON/back.bak"));
    QTest::mouseMove(back, QPoint(20, 20));
    QTest::mouseMove(back, QPoint(12, 25));
    QCoreApplication::processEvents();
    QVERIFY(reader.failures.empty());

    // From one button straight onto another; a lamp lights nothing.
    QTest::mouseMove(form.Image1[1], QPoint(10, 10));
    WAIT_FOR(shows(form.Image1[1], form.strSkinOnPath + "forward.jpg"));
    QVERIFY(shows(back, form.strButtonPicture[0]));
    QTest::mouseMove(form.Image1[Form1::readyLamp], QPoint(10, 10));
    WAIT_FOR(shows(form.Image1[1], form.strButtonPicture[1]));
    QVERIFY(shows(form.Image1[Form1::readyLamp], form.strButtonPicture[Form1::readyLamp]));
    QVERIFY(reader.failures.empty());
}

QTEST_MAIN(ReaderInteractionTest)
#include "reader_interaction_test.moc"
