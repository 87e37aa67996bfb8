// The reader's window as a person sees it and drives it, and as the
// keyboard and a screen reader reach it: the skin and the language file,
// where each part lies, the shortcuts and accessible names, the search panel,
// the results page and the marked hits of the pages it opens, the search that
// yields while it runs, history, printing and copying, the lit buttons, and
// the background's menu.
#include "tests/support/reader_fixture.h"

#include "base/whole_file.h"
#include "search/codepage.h"
#include "window/picture_element.h"
#include "window/picture_file.h"
#include "window/search_panel.h"
#include "window/splash_window.h"

#include <QAbstractPrintDialog>
#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QTextDocumentFragment>

#define WAIT_FOR(condition) QTRY_VERIFY_WITH_TIMEOUT(condition, loadTimeoutMs)

namespace {

const QByteArray searchWordLatin2 = "I\xB9\xE8i";  // "Išči" in ISO-8859-2
const QString searchWord = QString::fromUtf8("Išči");
const QPoint background(Form1::frameWidth + 520, Form1::frameWidth + 25);
const QString longScan = QString(2000, 'q') + 'x';

// Runs step at every yield of the event loop while the search panel is open.
void whilePanelOpen(Form1& form, const std::function<void()>& step)
{
    QMetaObject::invokeMethod(&form, [&form, step] {
        if (form.Frame1->isVisible()) { step(); whilePanelOpen(form, step); }
    }, Qt::QueuedConnection);
}

// 128 listed pages of q's, the last beginning with "xenon". The long query
// is compared at every byte: a scan that spans many slices.
void writeLongStatute(const ReaderFixture& reader)
{
    reader.write("q.html", QByteArray(64 * 1024, 'q'));
    reader.write("last.html", "xenon" + QByteArray(64 * 1024, 'q'));
    reader.write("Wlist.idx", QByteArray("\"q.html\",\"Q\"\r\n").repeated(127) + "\"last.html\",\"L\"\r\n");
}

}  // namespace

class ReaderWindowTest : public QObject {
    Q_OBJECT

private slots:
    void skinAndLanguageFileDressTheButtonsAndCaption();
    void partsKeepTheirPlacesAsTheWindowResizesAndMinimises();
    void shortcutsClickTheirButtonsWhereverTheFocusIsAndScreenReadersNameThem();
    void searchPanelKeepsItsTextAndATypedQueryOpensPagesWithTheirHitsMarked();
    void searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption_data();
    void searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption();
    void closeEndsASearchAtOnceAndHomeOrBackDuringOneKeepTheirPageWithoutAFailure();
    void historyButtonsMoveThroughPagesAndCopyAndPrintTakeTheContentFrame();
    void pointerLightsButtonsOneAtATimeOpensTheMenuOnlyOnTheBackgroundAndDragsByTheLeftButtonAlone();
};

void ReaderWindowTest::skinAndLanguageFileDressTheButtonsAndCaption()
{
    ReaderFixture reader;
    QImage larger(48, 40, QImage::Format_RGB32);
    larger.fill(Qt::darkRed);
    QVERIFY(larger.save(QString::fromStdString(reader.path("Skin/Normal/home.jpg")), "JPEG"));
    // A skin without lit pictures still starts.
    QVERIFY(QDir(QString::fromStdString(reader.path("Skin/ON"))).removeRecursively());
    reader.write("slo.lng", "00  Button:Nazaj\r\n03  Button:<b>" + searchWordLatin2 + "</b>\r\n12  Button:\r\n"
                            "00  Frame:" + searchWordLatin2 + " & najdi\r\n00  strTitula:" + searchWordLatin2 + "\r\n");
    Form1 design(programInfoFromPath(reader.path("lexoria")));
    Form1& form = reader.start();

    for (std::size_t index = 0; index < Form1::buttonCount; ++index)
        QCOMPARE(form.Image1[index]->pixmap().toImage(), lexoria::readPicture(form.strButtonPicture[index]).toImage());
    QCOMPARE(form.Image1[2]->size(), QSize(48, 40)); QCOMPARE(form.Image1[3]->size(), QSize(32, 32));
    QCOMPARE(form.windowIcon().availableSizes().size(), 6);

    QCOMPARE(form.Image1[0]->toolTip(), QStringLiteral("Nazaj"));
    // The tip shows the markup as it is written.
    const QString tip = form.Image1[3]->toolTip();
    QCOMPARE(Qt::mightBeRichText(tip) ? QTextDocumentFragment::fromHtml(tip).toPlainText() : tip, "<b>" + searchWord + "</b>");
    QCOMPARE(form.Image1[12]->toolTip(), QString()); QCOMPARE(form.Image1[7]->toolTip(), design.Image1[7]->toolTip());
    QCOMPARE(form.Frame1->title(), searchWord + " & najdi"); QCOMPARE(form.strTitula, searchWordLatin2.toStdString());
}

void ReaderWindowTest::partsKeepTheirPlacesAsTheWindowResizesAndMinimises()
{
    ReaderFixture reader; Form1& form = reader.start();
    const QRect lamps = form.Image1[Form1::readyLamp]->geometry();
    QCOMPARE(form.Image1[Form1::busyLamp]->geometry(), lamps);
    form.Image1[Form1::busyLamp]->show();
    QCOMPARE(form.childAt(lamps.center()), form.Image1[Form1::busyLamp]);
    form.Image1[Form1::busyLamp]->hide();
    QCOMPARE(form.childAt(lamps.center()), form.Image1[Form1::readyLamp]);

    // The search panel lies over the view.
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    const QPoint inPanel = form.Frame1->geometry().bottomRight() - QPoint(4, 4);
    QVERIFY(form.WebBrowser1->geometry().contains(inPanel));
    QVERIFY(form.childAt(inPanel) == form.Frame1 || form.Frame1->isAncestorOf(form.childAt(inPanel)));

    // Left of Close, Minimise, both lamps, Help, Home; the view's width.
    const int client = Form1::frameWidth;
    const auto places = [&] {
        QList<int> x;
        for (int index : {7, 6, int{Form1::busyLamp}, int{Form1::readyLamp}, 10, 2}) x << form.Image1[index]->x() - client;
        return x << form.WebBrowser1->width();
    };
    form.resize(796, 559);  // 11940 x 8385 twips
    QCOMPARE(places(), (QList<int>{756, 724, 692, 692, 660, 0, 788}));
    QCOMPARE(form.WebBrowser1->geometry().bottom() + 1, 559 - client);
    form.resize(600, 559);
    QCOMPARE(places(), (QList<int>{560, 528, 496, 496, 464, 0, 592}));

    // The caption label grows to the right, never taller.
    const QSize before = form.Label1->size();
    form.strTitula = std::string(120, 'x');
    emit form.WebBrowser1->DocumentComplete(QUrl());
    QVERIFY(form.Label1->width() > before.width()); QCOMPARE(form.Label1->height(), before.height());
    QVERIFY(form.Label1->text().startsWith(QString(120, 'x') + QStringLiteral(" ... ")));

    // Minimised, the title shows the version; restored, nothing moved.
    const QRect closeBefore = form.Image1[7]->geometry();
    form.setWindowState(Qt::WindowMinimized);
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QStringLiteral("lexoria 1.7.249"), loadTimeoutMs);
    form.setWindowState(Qt::WindowNoState);
    QTRY_COMPARE_WITH_TIMEOUT(form.windowTitle(), QString(), loadTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(form.Image1[7]->geometry(), closeBefore, loadTimeoutMs);
}

void ReaderWindowTest::shortcutsClickTheirButtonsWhereverTheFocusIsAndScreenReadersNameThem()
{
    QTimer printDialogCloser;  // the print button's dialog waits for an answer
    int printDialogs = 0;
    connect(&printDialogCloser, &QTimer::timeout, [&printDialogs] {
        if (auto* dialog = qobject_cast<QAbstractPrintDialog*>(QApplication::activeModalWidget())) { ++printDialogs; dialog->reject(); }
    });
    printDialogCloser.start(50);
    // The keys, the button they click (-1: none, they zoom) and the zoom they leave.
    const std::tuple<QKeyCombination, int, double> shortcuts[] = {
        {Qt::ALT | Qt::Key_Left, 0, 0}, {Qt::ALT | Qt::Key_Right, 1, 0}, {Qt::ALT | Qt::Key_Home, 2, 0},
        {Qt::CTRL | Qt::Key_F, 3, 0}, {QKeyCombination(Qt::Key_F1), 10, 0}, {Qt::CTRL | Qt::Key_P, 11, 0},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_C, 12, 0}, {Qt::CTRL | Qt::Key_Plus, -1, 1.1},
        {Qt::CTRL | Qt::Key_Minus, -1, 0.9}, {Qt::CTRL | Qt::Key_0, -1, 1.0},
    };
    ReaderFixture reader; Form1& form = reader.start();
    for (QWidget* place : {static_cast<QWidget*>(form.Text1), static_cast<QWidget*>(form.WebBrowser1), static_cast<QWidget*>(nullptr)}) {
        for (const auto& [keys, button, zoomedTo] : shortcuts) {
            const QByteArray what = QKeySequence(keys).toString().toUtf8() + (place == form.Text1 ? " in the search box" : place ? " in the view" : " in no control");
            // Without a window manager nobody activates the window again after the print dialog.
            form.activateWindow();
            QTRY_VERIFY2(form.isActiveWindow(), what);
            form.Frame1->setVisible(place == form.Text1);
            if (QWidget* focus = QApplication::focusWidget(); focus && !place) focus->clearFocus();
            if (place) place->setFocus();
            QTRY_VERIFY2(place ? QApplication::focusWidget() != nullptr : !QApplication::focusWidget(), what);
            form.WebBrowser1->setZoomFactor(keys.key() == Qt::Key_0 ? 1.5 : 1.0);
            QSignalSpy clicked(form.Image1[std::max(button, 0)], &PictureElement::clicked);
            QTest::keyClick(place ? QApplication::focusWidget() : &form, keys.key(), keys.keyboardModifiers());
            QVERIFY2(clicked.count() == (button >= 0 ? 1 : 0), what);
            QVERIFY2(button >= 0 || qAbs(form.WebBrowser1->zoomFactor() - zoomedTo) < 1e-3, what);
        }
    }

    const std::tuple<QObject*, const char*, QAccessible::Role> accessible[] = {
        {form.Image1[0], "Nazaj (Alt+Levo)", QAccessible::Button}, {form.Image1[1], "Naprej (Alt+Desno)", QAccessible::Button},
        {form.Image1[2], "Domača stran (Alt+Home)", QAccessible::Button}, {form.Image1[3], "Iskanje (Ctrl+F)", QAccessible::Button},
        {form.Image1[4], "Pripravljen", QAccessible::Indicator}, {form.Image1[5], "Nalaganje strani", QAccessible::Indicator},
        {form.Image1[6], "Pomanjšaj", QAccessible::Button}, {form.Image1[7], "Zapri", QAccessible::Button},
        {form.Image1[8], "V redu, išči", QAccessible::Button}, {form.Image1[9], "Prekliči", QAccessible::Button},
        {form.Image1[10], "Pomoč (F1)", QAccessible::Button}, {form.Image1[11], "Natisni stran (Ctrl+P)", QAccessible::Button},
        {form.Image1[12], "Kopiraj (Ctrl+Shift+C)", QAccessible::Button},
        {form.Text1, "Iskanje po zakonu", QAccessible::EditableText}, {form.splash.get(), "lexoria 1.7.249", QAccessible::Client},
        {&form, "Zakon o planinskih kočah ... elektronska izdaja", QAccessible::Window},
    };
    for (const auto& [control, name, role] : accessible) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
        QCOMPARE(face->text(QAccessible::Name), QString::fromUtf8(name)); QCOMPARE(face->role(), role);
        QAccessibleActionInterface* actions = face->actionInterface();
        QCOMPARE(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()),
                 role == QAccessible::Button);
    }
    // Buttons pressed by a screen reader, without the focus, once its call
    // has returned: Print's dialog does not open inside the call.
    const auto press = [&](int i) { QAccessible::queryAccessibleInterface(form.Image1[i])->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); };
    form.Frame1->hide(), press(3);
    QTRY_VERIFY(form.Frame1->isVisible());
    printDialogs = 0, press(11);
    QCOMPARE(printDialogs, 0); QTRY_COMPARE(printDialogs, 1);
}

void ReaderWindowTest::searchPanelKeepsItsTextAndATypedQueryOpensPagesWithTheirHitsMarked()
{
    // "čebelnjak" far below the top of a page listed in a folder, in three
    // cases, and on the page its link leads to.
    QByteArray page = "<html><body><a name=\"F1\"></a>" + QByteArray("<p>Odstavek.</p>").repeated(200);
    page += "<p>\xc8" "ebelnjak, \xe8" "ebelnjak in \xc8" "EBELNJAK.</p><a href=\"../clen081.html\">nazaj</a>";
    ReaderFixture reader;
    std::filesystem::create_directory(reader.path("del"));
    reader.write("del/clen083.html", page);
    reader.write("Wlist.idx", QByteArray::fromStdString(lexoria::readWholeFile(reader.path("Wlist.idx"))) + "\"del/clen083.html\",\"Koca\"\r\n");
    reader.write("clen081.html", "<p>\xe8" "ebelnjak</p>");
    Form1& form = reader.start();
    // The number of hits, the current one from 0, and how far down the frame shows.
    const auto hits = [&] {
        return reader.evaluate(QStringLiteral("(function (w) { const m = Array.from(w.document.querySelectorAll('mark[data-lexoria-hit]'));"
            "return m.length + ' ' + m.findIndex(x => x.hasAttribute('data-lexoria-current')) + ' '"
            "+ (w.scrollY > 0 ? 'down' : 'top'); })(window.frames['T'])"));
    };
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers held = {}) { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form, key, held); };
    const auto openPanel = [&] { QTest::mouseClick(form.Image1[3], Qt::LeftButton); return waitUntil([&] { return form.Text1->hasFocus(); }); };

    // The panel opens with the last text selected; Cancel hides it and keeps
    // the text; Escape hides it also when no control holds the focus.
    form.Text1->setText(QStringLiteral("prejšnje iskanje"));
    QVERIFY(openPanel()); QCOMPARE(form.Text1->selectedText(), QStringLiteral("prejšnje iskanje"));
    QTest::mouseClick(form.Image1[9], Qt::LeftButton); QVERIFY(!form.Frame1->isVisible());
    QCOMPARE(form.Text1->text(), QStringLiteral("prejšnje iskanje")); QVERIFY(openPanel());
    form.Text1->clearFocus();
    press(Qt::Key_Escape);
    QVERIFY(!form.Frame1->isVisible());

    QVERIFY(openPanel());
    // Typed letter by letter: QTest::keyClicks takes only Latin-1.
    for (const QChar letter : QStringLiteral("  ČEBELNJAK. "))
        QTest::sendKeyEvent(QTest::Click, form.Text1, Qt::Key_unknown, QString(letter), Qt::NoModifier);
    press(Qt::Key_Return);
    WAIT_FOR(reader.showsWhole(QStringLiteral("/found.html"))); QVERIFY(!form.Frame1->isVisible());
    // The heading shows the query as searched: lower case, trimmed, the
    // point dropped, č in its Latin-2 code.
    const std::string found = lexoria::readWholeFile(reader.path("found.html"));
    QVERIFY2(found.find("<b>\xe8" "ebelnjak:<br><br></b>") != std::string::npos, found.c_str());
    // Once the results page has loaded, the lamp is off and the caption
    // label holds the title again instead of the search's progress.
    const QString caption = QString::fromStdString(lexoria::utf8FromLatin2(form.strTitula + " ... " + form.strCopy));
    WAIT_FOR(!form.Image1[Form1::busyLamp]->isVisible() && form.Label1->text() == caption);

    reader.evaluate(QStringLiteral("window.frames['T'].document.querySelector('a[href^=\"del/\"]').click()"));
    QTRY_COMPARE_WITH_TIMEOUT(hits(), QStringLiteral("3 0 down"), loadTimeoutMs);
    QVERIFY(reader.frameUrl().endsWith(QLatin1String("/del/clen083.html#F1")));
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
    reader.evaluate(QStringLiteral("window.frames['T'].document.querySelector('a[href=\"../clen081.html\"]').click()"));
    WAIT_FOR(!completed.isEmpty() && completed.last().at(0).toUrl().fileName() == u"clen081.html");
    QCOMPARE(hits(), QStringLiteral("0 -1 top")); QVERIFY(reader.failures.empty());
    QCOMPARE(form.WebBrowser1->waitsRunOut(), 0);
}

void ReaderWindowTest::searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<bool>("resultsWritable");
    QTest::addColumn<QString>("caption");  // empty: the caption found before the search
    QTest::newRow("no page matches") << longScan << true << " 128";
    QTest::newRow("the last page matches") << "xenon" << true << " 127";
    QTest::newRow("every page matches") << "qqq" << true << "";
    QTest::newRow("the results cannot be written") << longScan << false << "";
}

void ReaderWindowTest::searchYieldsBetweenPagesRefusesASecondAndEndsOnItsCaption()
{
    QFETCH(QString, query); QFETCH(bool, resultsWritable); QFETCH(QString, caption);
    ReaderFixture reader;
    writeLongStatute(reader);
    // A directory in the place of the results file cannot be replaced.
    if (!resultsWritable) std::filesystem::create_directory(reader.path("found.html"));
    Form1& form = reader.start();
    const QString before = form.Label1->text();
    QTest::mouseClick(form.Image1[3], Qt::LeftButton); WAIT_FOR(form.Text1->hasFocus());
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
    QCOMPARE(form.Label1->text(), caption.isEmpty() ? before : caption); QVERIFY(!form.Image1[Form1::busyLamp]->isVisible());
    // A failure to write the results is reported once, naming the file.
    QCOMPARE(reader.failures.size(), std::size_t{resultsWritable ? 0u : 1u});
    QVERIFY(resultsWritable || reader.failures[0].find("found.html") != std::string::npos);
}

void ReaderWindowTest::closeEndsASearchAtOnceAndHomeOrBackDuringOneKeepTheirPageWithoutAFailure()
{
    // The button, clicked during a search or just before Enter starts a short one.
    const std::tuple<const char*, int, bool> rows[] = {{"Close during a search", 7, true},
        {"Home during a search", 2, true}, {"Back during a search", 0, true}, {"Home just before a search", 2, false}};
    for (const auto& [row, button, duringSearch] : rows) {
        qInfo("%s", row);
        ReaderFixture reader;
        writeLongStatute(reader);
        std::filesystem::remove(reader.path("found.html"));
        Form1& form = reader.start();
        // Help, then Home: Back goes back from the frameset that Home loaded.
        QTest::mouseClick(form.Image1[10], Qt::LeftButton); WAIT_FOR(reader.frameUrl().endsWith(QLatin1String("/Help.html")));
        QSignalSpy loaded(form.WebBrowser1, &QWebEngineView::loadFinished);
        QTest::mouseClick(form.Image1[2], Qt::LeftButton); WAIT_FOR(!loaded.isEmpty());
        reader.settle();
        QTest::mouseClick(form.Image1[3], Qt::LeftButton); WAIT_FOR(form.Text1->hasFocus());
        form.Text1->setText(duringSearch ? longScan : QStringLiteral("xenon"));
        // During the search the button is clicked as it yields after its last
        // page, just before it writes and shows its results; Home loads the
        // frameset anew, which the results then cannot open in.
        const auto click = [&form, button = button] { QTest::mouseClick(form.Image1[button], Qt::LeftButton); };
        if (!duringSearch) click();
        whilePanelOpen(form, [&, clicked = !duringSearch]() mutable {
            if (!std::exchange(clicked, clicked || form.Label1->text() == " 128") && clicked) click();
        });
        QTest::keyClick(form.Text1, Qt::Key_Return);

        // Close ends the search before it writes anything. Home or Back during
        // the search leave their page in place of the results, which are
        // written; before the search, the results open in the frameset Home loaded.
        QCOMPARE(reader.failures, std::vector<std::string>{}); QCOMPARE(form.WebBrowser1->waitsRunOut(), 0);
        QCOMPARE(form.isVisible(), button != 7); QCOMPARE(std::filesystem::exists(reader.path("found.html")), button != 7);
        if (button == 7) continue;
        reader.settle();
        QVERIFY(!form.Frame1->isVisible());
        if (duringSearch)
            QVERIFY(!reader.frameUrl().endsWith(QLatin1String("/found.html")));
        else
            WAIT_FOR(reader.frameUrl().endsWith(QLatin1String("/found.html")));
    }
}

void ReaderWindowTest::historyButtonsMoveThroughPagesAndCopyAndPrintTakeTheContentFrame()
{
    ReaderFixture reader; Form1& form = reader.start();
    const QString start = reader.frameUrl();
    const auto helpShown = [&] { return reader.showsWhole(QStringLiteral("/Help.html")); };
    QTest::mouseClick(form.Image1[10], Qt::LeftButton); WAIT_FOR(helpShown());
    QVERIFY(form.WebBrowser1->url().toString().endsWith(QLatin1String("/index.html")));
    QTest::mouseClick(form.Image1[0], Qt::LeftButton); WAIT_FOR(reader.showsWhole(start));
    QTest::mouseClick(form.Image1[1], Qt::LeftButton); WAIT_FOR(helpShown());
    // Forward with nothing ahead fails quietly and loads nothing.
    QSignalSpy loads(form.WebBrowser1, &WebBrowser::DownloadBegin);
    QTest::mouseClick(form.Image1[1], Qt::LeftButton); QCOMPARE(loads.size(), 0);
    QVERIFY(reader.failures.empty());
    // A page that moves to an anchor of its own makes a step within the
    // page; Back over it, then Help at once: no wait runs out its deadline.
    QTest::mouseClick(form.Image1[0], Qt::LeftButton); WAIT_FOR(reader.showsWhole(start));
    reader.evaluate(QStringLiteral("window.frames['T'].location.hash = 'drugje'")); WAIT_FOR(reader.frameUrl().endsWith(QLatin1String("#drugje")));
    for (const int button : {0, 10}) QTest::mouseClick(form.Image1[button], Qt::LeftButton);
    WAIT_FOR(helpShown());
    QCOMPARE(form.WebBrowser1->waitsRunOut(), 0);

    // The person at the dialog chooses a PDF file and prints; accepting takes
    // the file name from the dialog's own field.
    const QString pdf = QString::fromStdString(reader.path("printed.pdf"));
    ModalAnswer answer([&](QWidget* open) {
        if (auto* fileName = open->findChild<QLineEdit*>(QStringLiteral("filename"))) fileName->setText(pdf);
        if (auto* dialog = qobject_cast<QAbstractPrintDialog*>(open)) dialog->accept();
    });
    QTest::mouseClick(form.Image1[11], Qt::LeftButton); QVERIFY(QFile::exists(pdf));
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(extract.waitForFinished(30000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    QVERIFY2(text.contains(QStringLiteral("Pomoč")) && !text.contains(QStringLiteral("I. poglavje")), qPrintable(text));

    // Copy takes the selection, or else the whole frame and leaves nothing
    // selected. It waits for its own text, not for any change notice: the X
    // server repeats the notice of a clear late, and other programs write too.
    QTest::mouseClick(form.Image1[2], Qt::LeftButton); WAIT_FOR(reader.showsWhole(start));
    QWebEnginePage* page = form.WebBrowser1->page();
    QClipboard* clipboard = QGuiApplication::clipboard();
    QTimer strayNotices;
    connect(&strayNotices, &QTimer::timeout, clipboard, &QClipboard::dataChanged);
    strayNotices.start(0);
    reader.evaluate(selectContents("T", "h1"));
    const QString selected = selectionIn(page, "T");
    QVERIFY(selected.contains(QStringLiteral("KOČAH")));
    QTest::mouseClick(form.Image1[12], Qt::LeftButton); WAIT_FOR(clipboard->text() == selected);
    QCOMPARE(selectionIn(page, "T"), selected);
    reader.evaluate(inFrame("T", "getSelection().removeAllRanges()"));
    QTest::mouseClick(form.Image1[12], Qt::LeftButton);
    WAIT_FOR(clipboard->text().contains(QStringLiteral("Vsebina")) && clipboard->text().contains(selected.trimmed()));
    QCOMPARE(selectionIn(page, "T"), QString());
}

void ReaderWindowTest::pointerLightsButtonsOneAtATimeOpensTheMenuOnlyOnTheBackgroundAndDragsByTheLeftButtonAlone()
{
    ReaderFixture reader; Form1& form = reader.start();
    const auto shows = [](auto* button, const std::string& file) { return button->pixmap().toImage() == lexoria::readPicture(file).toImage(); };
    PictureElement* back = form.Image1[0];
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
    WAIT_FOR(shows(form.Image1[1], form.strSkinOnPath + "forward.jpg")); QVERIFY(shows(back, form.strButtonPicture[0]));
    QTest::mouseMove(form.Image1[Form1::readyLamp], QPoint(10, 10));
    WAIT_FOR(shows(form.Image1[1], form.strButtonPicture[1]));
    QVERIFY(shows(form.Image1[Form1::readyLamp], form.strButtonPicture[Form1::readyLamp])); QVERIFY(reader.failures.empty());

    int entries = 0;
    const auto closeMenu = [&](QWidget* open) { entries = static_cast<int>(open->actions().size()), open->close(); };
    // The menu runs its own event loop: had it opened, the click would
    // return only once the answer closed it.
    {
        ModalAnswer onButton(closeMenu);
        QTest::mouseClick(form.Image1[0], Qt::RightButton); QCOMPARE(onButton.seen, nullptr);
    }
    ModalAnswer onBackground(closeMenu);
    QCOMPARE(form.childAt(background), nullptr);
    QTest::mouseClick(&form, Qt::RightButton, {}, background); QCOMPARE(onBackground.seen, form.mnuMain);
    QCOMPARE(entries, 6);

    // A drag by the left button alone moves the window (the window-system
    // tests drive that); with the right button held as well nothing moves.
    const QPoint start = form.pos();
    QTest::mousePress(&form, Qt::LeftButton, {}, background);
    QMouseEvent move(QEvent::MouseMove, background + QPoint(60, 40), form.mapToGlobal(background + QPoint(60, 40)),
                     Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &move);
    QCoreApplication::processEvents();
    QCOMPARE(form.pos(), start);
    QTest::mouseRelease(&form, Qt::LeftButton, {}, background);
}

QTEST_MAIN(ReaderWindowTest)
#include "reader_window_test.moc"
