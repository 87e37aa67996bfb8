// The reader driven as a person drives it: the search panel, a query with
// Slovene letters, the results page and its links, the history buttons,
// copying, printing, and the highlight of the picture buttons.
#include "tests/support/reader_fixture.h"

#include "base/whole_file.h"
#include "search/codepage.h"
#include "window/picture_button.h"
#include "window/picture_file.h"
#include "window/search_panel.h"

#include <QAbstractPrintDialog>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>

#define WAIT_FOR(condition) QTRY_VERIFY_WITH_TIMEOUT(condition, loadTimeoutMs)

namespace {

bool endsWith(const QString& url, const char* tail) { return url.endsWith(QLatin1String(tail)); }

// Types text as key events, letter by letter; QTest::keyClicks takes only
// Latin-1.
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar letter : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(letter), Qt::NoModifier);
}

bool samePicture(const PictureButton* button, const std::string& file)
{
    return button->pixmap().toImage() == lexoria::readPicture(file).toImage();
}

}  // namespace

class ReaderInteractionTest : public QObject {
    Q_OBJECT

private slots:
    void searchButtonOpensThePanelWithTheTextSelectedAndEscapeHidesIt();
    void enterSearchesAndTheResultsOpenTheirPages();
    void historyButtonsMoveThroughThePages();
    void copyTakesTheSelectionOrTheWholeFrame();
    void pointerLightsAButtonAndTheBackgroundPutsItBack();
    void failedSearchLeavesNoFileAndTheReaderRunning();
    void printButtonPrintsTheContentFrame();
};

void ReaderInteractionTest::searchButtonOpensThePanelWithTheTextSelectedAndEscapeHidesIt()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    QVERIFY(form.Text1->text().isEmpty());
    form.Text1->setText(QStringLiteral("prejšnje iskanje"));
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QVERIFY(form.Frame1->isVisible());
    WAIT_FOR(form.Text1->hasFocus());
    QCOMPARE(form.Text1->selectedText(), QStringLiteral("prejšnje iskanje"));
    QTest::mouseClick(form.Image1[9], Qt::LeftButton);
    QVERIFY(!form.Frame1->isVisible());
    QCOMPARE(form.Text1->text(), QStringLiteral("prejšnje iskanje"));

    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    WAIT_FOR(form.Text1->hasFocus());
    QTest::keyClick(form.Text1, Qt::Key_Escape);
    QVERIFY(!form.Frame1->isVisible());
    // Enter does nothing while the panel is hidden; the search would have
    // written its page before the key returns.
    QTest::keyClick(form.Text1, Qt::Key_Return);
    QVERIFY(!std::filesystem::exists(reader.path("found.html")));

    // With no control holding the focus the keys reach the window itself.
    form.Frame1->show();
    QApplication::focusWidget()->clearFocus();
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.Frame1->isVisible());
}

void ReaderInteractionTest::enterSearchesAndTheResultsOpenTheirPages()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    WAIT_FOR(form.Text1->hasFocus());
    typeText(form.Text1, QStringLiteral("  Tečaj  PRVE pomoči. "));
    QTest::keyClick(form.Text1, Qt::Key_Return);

    WAIT_FOR(endsWith(reader.frameUrl(), "/found.html"));
    QVERIFY(!form.Frame1->isVisible());
    const std::string page = lexoria::readWholeFile(reader.path("found.html"));
    // The heading shows the query as searched: lower case, one space left of
    // the run of two, the point dropped, č in its Latin-2 code.
    QVERIFY2(page.find("<b>te\xe8" "aj prve pomo\xe8" "i:<br><br></b>") != std::string::npos, page.c_str());
    WAIT_FOR(reader.frameText().contains(QStringLiteral("19. in 20. člen")));
    // Once the results page has loaded, the lamp is off and the caption
    // label holds the title again instead of the search's progress.
    const QString caption = QString::fromStdString(lexoria::utf8FromLatin2(form.strTitula + " ... " + form.strCopy));
    WAIT_FOR(!form.Image1[Form1::busyLamp]->isVisible() && form.Label1->text() == caption);

    reader.evaluate(inFrame("T", "document.links[0].click()"));
    WAIT_FOR(endsWith(reader.frameUrl(), "/clen019.html#F1"));
    QVERIFY(endsWith(form.WebBrowser1->url().toString(), "/index.html"));
}

void ReaderInteractionTest::historyButtonsMoveThroughThePages()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    const QString start = reader.frameUrl();

    QTest::mouseClick(form.Image1[10], Qt::LeftButton);
    WAIT_FOR(endsWith(reader.frameUrl(), "/Help.html"));
    QVERIFY(endsWith(form.WebBrowser1->url().toString(), "/index.html"));
    QTest::mouseClick(form.Image1[0], Qt::LeftButton);
    WAIT_FOR(reader.frameUrl() == start);
    QTest::mouseClick(form.Image1[1], Qt::LeftButton);
    WAIT_FOR(endsWith(reader.frameUrl(), "/Help.html"));

    // Forward with nothing ahead fails quietly and loads nothing.
    QSignalSpy loads(form.WebBrowser1, &WebBrowser::DownloadBegin);
    QTest::mouseClick(form.Image1[1], Qt::LeftButton);
    QVERIFY(endsWith(reader.frameUrl(), "/Help.html"));
    QCOMPARE(loads.size(), 0);
    QVERIFY(reader.failures.empty());

    QTest::mouseClick(form.Image1[2], Qt::LeftButton);
    WAIT_FOR(reader.frameUrl() == start);
}

void ReaderInteractionTest::copyTakesTheSelectionOrTheWholeFrame()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    QWebEnginePage* page = form.WebBrowser1->page();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("prej na odložišču"));

    reader.evaluate(selectContents("T", "h1"));
    const QString selected = selectionIn(page, "T");
    QVERIFY(selected.contains(QStringLiteral("KOČAH")));
    QTest::mouseClick(form.Image1[12], Qt::LeftButton);
    WAIT_FOR(clipboard->text() == selected);
    QCOMPARE(selectionIn(page, "T"), selected);

    reader.evaluate(inFrame("T", "getSelection().removeAllRanges()"));
    clipboard->setText(QStringLiteral("prej na odložišču"));
    QTest::mouseClick(form.Image1[12], Qt::LeftButton);
    WAIT_FOR(clipboard->text().contains(QStringLiteral("Vsebina")));
    QVERIFY(clipboard->text().contains(selected.trimmed()));
    QCOMPARE(selectionIn(page, "T"), QString());
}

void ReaderInteractionTest::pointerLightsAButtonAndTheBackgroundPutsItBack()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    PictureButton* back = form.Image1[0];

    QTest::mouseMove(back, QPoint(10, 10));
    WAIT_FOR(samePicture(back, form.strSkinOnPath + "back.jpg"));
    QCOMPARE(form.litButton, std::int16_t{0});

    // While the pointer stays on the lit button no picture is read: with the
    // lit picture gone, moves within the button must not fail.
    std::filesystem::rename(reader.path("Skin/ON/back.jpg"), reader.path("Skin/ON/back.bak"));
    QTest::mouseMove(back, QPoint(20, 20));
    QTest::mouseMove(back, QPoint(12, 25));
    QCoreApplication::processEvents();
    QVERIFY(reader.failures.empty());

    QTest::mouseMove(&form, QPoint(Form1::frameWidth + 520, Form1::frameWidth + 25));
    WAIT_FOR(samePicture(back, form.strButtonPicture[0]));
    QCOMPARE(form.litButton, Form1::noButton);

    // From one button straight onto another; a lamp lights nothing.
    std::filesystem::rename(reader.path("Skin/ON/back.bak"), reader.path("Skin/ON/back.jpg"));
    QTest::mouseMove(back, QPoint(10, 10));
    QTest::mouseMove(form.Image1[1], QPoint(10, 10));
    WAIT_FOR(samePicture(form.Image1[1], form.strSkinOnPath + "forward.jpg"));
    QVERIFY(samePicture(back, form.strButtonPicture[0]));
    QTest::mouseMove(form.Image1[Form1::readyLamp], QPoint(10, 10));
    WAIT_FOR(samePicture(form.Image1[1], form.strButtonPicture[1]));
    QVERIFY(samePicture(form.Image1[Form1::readyLamp], form.strButtonPicture[Form1::readyLamp]));
}

void ReaderInteractionTest::failedSearchLeavesNoFileAndTheReaderRunning()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    // A directory in the place of the results file: it cannot be replaced.
    std::filesystem::create_directory(reader.path("found.html"));
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    form.Text1->setText(QStringLiteral("oskrbnik"));
    QTest::mouseClick(form.Image1[8], Qt::LeftButton);

    WAIT_FOR(!reader.failures.empty());
    QCOMPARE(reader.failures.size(), std::size_t{1});
    QVERIFY2(reader.failures[0].find("found.html") != std::string::npos, reader.failures[0].c_str());
    QVERIFY(std::filesystem::is_directory(reader.path("found.html")));
    QVERIFY(!form.Image1[Form1::busyLamp]->isVisible());
    for (const auto& entry : std::filesystem::directory_iterator(reader.appDir()))
        QVERIFY2(!entry.path().filename().string().starts_with("found.html."), entry.path().c_str());
}

void ReaderInteractionTest::printButtonPrintsTheContentFrame()
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is missing");
    ReaderFixture reader;
    Form1& form = reader.start();
    QTest::mouseClick(form.Image1[10], Qt::LeftButton);
    WAIT_FOR(endsWith(reader.frameUrl(), "/Help.html"));

    // The person at the dialog chooses a PDF file and prints; accepting takes
    // the file name from the dialog's own field.
    const QString pdf = QString::fromStdString(reader.path("printed.pdf"));
    bool fileNameSet = false;
    ModalAnswer answer([&](QWidget* open) {
        auto* dialog = qobject_cast<QAbstractPrintDialog*>(open);
        if (auto* fileName = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("filename")) : nullptr) {
            fileName->setText(pdf);
            fileNameSet = true;
        }
        if (dialog)
            dialog->accept();
    });
    QTest::mouseClick(form.Image1[11], Qt::LeftButton);
    QVERIFY(fileNameSet);

    QProcess extract;
    extract.start(pdftotext, {pdf, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(30000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Pomoč")), qPrintable(text));
    QVERIFY2(!text.contains(QStringLiteral("I. poglavje")), qPrintable(text));
}

QTEST_MAIN(ReaderInteractionTest)
#include "reader_interaction_test.moc"
