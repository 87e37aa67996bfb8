#include "shell/web_browser.h"

#include "shell/bounded_wait.h"
#include "shell/document_printer.h"
#include "shell/engine_accessibility.h"
#include "shell/focus_return.h"
#include "shell/reader_page.h"

#include <QClipboard>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <QQuickWindow>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineScript>

#include <memory>

namespace {

// The view draws through Qt Quick's software adaptation. With the default
// OpenGL scene graph every repaint of any widget of the window, a lamp or the
// caption, composes the whole window through OpenGL: on a machine without a
// graphics processor that is a software rasteriser at about 10 ms a frame,
// and with vertical sync it waits for the screen. In software a repaint is a
// copy of the changed rectangle, and static pages of text lose nothing. It
// is set as the application starts, before the engine makes its first view.
void drawViewsInSoftware()
{
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
}
Q_COREAPP_STARTUP_FUNCTION(drawViewsInSoftware)

constexpr int scriptTimeoutMs = 5'000;
constexpr int framesetTimeoutMs = 10'000;
constexpr int commandTimeoutMs = 2'000;
constexpr int pollIntervalMs = 10;

// Helpers every script of the view can use. Frames are looked up among the
// direct children of the top-level page, as the frameset names them; the
// focused document is found by following the active frame elements down.
// A person reads one block of text at a time. A block takes the focus only
// with a tab index, -1 keeping it out of the Tab order, and is named by its
// whole text: Orca speaks a focused list item by the text beside its links,
// and said only "(25. do 30. člen)" of a chapter.
const char* framePrelude = R"JS(
const lexoriaBlocks = 'p, li, dd, dt, td, th, h1, h2, h3, h4, h5, h6, pre, caption, blockquote';
function lexoriaReadable(block) {
    if (block.tabIndex < 0 && !block.hasAttribute('tabindex'))
        block.tabIndex = -1;
    if (!block.hasAttribute('aria-label') && !block.hasAttribute('aria-labelledby'))
        block.setAttribute('aria-label', block.innerText.trim());
    return block.innerText;
}
function lexoriaFrame(name) {
    for (let i = 0; i < window.frames.length; ++i)
        if (window.frames[i].name === name)
            return window.frames[i];
    return null;
}
function lexoriaFocused() {
    let w = window;
    for (;;) {
        const active = w.document.activeElement;
        if (!active || !active.contentWindow)
            return w;
        w = active.contentWindow;
    }
}
)JS";

const QString focusedSelection =
    QStringLiteral("return lexoriaFocused().getSelection().toString();");
const QString selectionCoversDocument = QStringLiteral(R"JS(
    const w = lexoriaFocused();
    const body = w.document.body;
    return w.getSelection().toString() !== '' || !body || body.innerText.trim() === '';
)JS");
const QString selectionIsEmpty =
    QStringLiteral("return lexoriaFocused().getSelection().toString() === '';");

QString inPage(const QString& body)
{
    return QStringLiteral("(function () {%1\n%2\n})()").arg(QLatin1String(framePrelude), body);
}

// A script that runs body with `frame` bound to the named frame, or answers
// noFrame when the shown page has no such frame.
QString inFrame(const QString& name, const QString& body, const QString& noFrame)
{
    return inPage(QStringLiteral("const frame = lexoriaFrame(%1);\nif (!frame) return %2;\n%3")
                      .arg(jsString(name), noFrame, body));
}

void pause(int ms)
{
    BoundedWait idle;
    idle.await(ms);
}

}  // namespace

WebBrowser::WebBrowser(const QString& appDir, QWidget* parent) : QWebEngineView(parent)
{
    auto* page = new ReaderPage(appDir.toStdString(), this);
    setPage(page);
    // The engine tells of loads from inside its own calls, where it answers
    // no script: a handler that waits for a script's answer (the focus of a
    // results page, the marks of a hit) would wait out its deadline there.
    // The events reach the window from the event loop instead, in order.
    connect(page, &QWebEnginePage::loadStarted, this, &WebBrowser::DownloadBegin, Qt::QueuedConnection);
    connect(page, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& loading) {
        if (loading.status() == QWebEngineLoadingInfo::LoadStartedStatus)
            framesetAskedFor_ = false;
    });
    connect(page, &QWebEnginePage::loadFinished, this,
            [this](bool) { emit DocumentComplete(url()); }, Qt::QueuedConnection);
    connect(page, &ReaderPage::frameLoadStarted, this, &WebBrowser::DownloadBegin, Qt::QueuedConnection);
    connect(page, &ReaderPage::frameLoadFinished, this, &WebBrowser::DocumentComplete, Qt::QueuedConnection);
    // A refused navigation loads nothing, so a frameset it asked for will
    // not come.
    connect(page, &ReaderPage::navigationRefused, this, [this] { framesetAskedFor_ = false; });
}

WebBrowser::~WebBrowser() = default;

void WebBrowser::Navigate(const QString& path)
{
    load(QUrl::fromLocalFile(path));
    framesetAskedFor_ = true;
    ++navigationsAsked_;
}

void WebBrowser::Navigate(const QString& path, const QString& targetFrame)
{
    awaitFrameset();
    const QString script = QStringLiteral("frame.location.href = %1; return true;")
                               .arg(jsString(QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)));
    evaluateInFrame(targetFrame, script);
    ++navigationsAsked_;
}

// A frameset that loads anew (Home, or Back to another document) has no
// frames yet, or is about to replace the ones it has: a frame is looked up
// once it has loaded. The engine takes a load up only once the event loop
// has run, and tells so as the load starts (its navigation request comes
// just before, while it does not count as loading yet); from then on its
// loading state holds until the load has ended, however it ended. Steps
// within the frameset (a frame's page, an anchor) ask for no such load, so
// nothing is waited for after them.
void WebBrowser::awaitFrameset()
{
    const QDeadlineTimer deadline(framesetTimeoutMs);
    while (framesetAskedFor_ || page()->isLoading()) {
        if (deadline.hasExpired()) {
            reportRunOut(QStringLiteral("the frameset to load"));
            return;
        }
        BoundedWait loaded;
        connect(page(), &QWebEnginePage::loadingChanged, loaded.context(), [&loaded] { loaded.settle(true); });
        loaded.await(static_cast<int>(deadline.remainingTime()));
    }
}

// A load the engine has not taken up yet ends here without a word from it.
void WebBrowser::Stop()
{
    stop();
    framesetAskedFor_ = false;
}

void WebBrowser::GoBack()
{
    stepThroughHistory(-1);
}

void WebBrowser::GoForward()
{
    stepThroughHistory(+1);
}

// Goes to the neighbouring history entry by index. QWebEngineHistory::back()
// and forward() skip the entries that frame navigations made without a user
// gesture (the engine's guard against pages flooding the history), and
// Navigate into a frame makes exactly such entries.
void WebBrowser::stepThroughHistory(int offset)
{
    QWebEngineHistory* entries = history();
    const int target = entries->currentItemIndex() + offset;
    if (target < 0 || target >= entries->count())
        throw WebBrowserError("there is no page in that direction of the history");
    const QWebEngineHistoryItem item = entries->itemAt(target);
    // Only an entry of another page loads the whole page anew; the entries
    // of one page differ by a frame's page or an anchor.
    const auto document = [](const QUrl& address) { return address.adjusted(QUrl::RemoveFragment); };
    const bool loadsFrameset = document(item.url()) != document(url());
    entries->goToItem(item);
    framesetAskedFor_ = framesetAskedFor_ || loadsFrameset;
    ++navigationsAsked_;
}

void WebBrowser::focusFrame(const QString& name)
{
    evaluateInFrame(name, QStringLiteral("frame.focus(); return lexoriaFocused() === frame;"));
}

void WebBrowser::focusReadingStart(const QString& name, const QString& path)
{
    const QString shows = QStringLiteral(R"JS(
        return [location, frame.location].some(function (l) { return decodeURIComponent(l.pathname) === %1; });
    )JS").arg(jsString(path));
    // A screen reader speaks the focused element whole: the block that holds
    // the current hit, not the hit alone. Its text comes back to be
    // announced. The element takes the focus two frames later: a focus set
    // as the page completed was at times never told to a screen reader,
    // whose tree of the new page was not yet in place, so Orca named the page
    // and said nothing of the line.
    const QString focus = QStringLiteral(R"JS(
        const doc = frame.document;
        const hit = doc.querySelector('mark[data-lexoria-current]');
        const start = hit ? hit.closest(lexoriaBlocks + ', div') || hit
                          : doc.querySelector('h1, h2, h3, h4, h5, h6');
        if (!start) {
            frame.focus();
            return '';
        }
        const text = lexoriaReadable(start);
        frame.requestAnimationFrame(() => frame.requestAnimationFrame(() => start.focus({preventScroll: true})));
        return text;
    )JS");
    // Not waited for: a frameset still loading answers late, and meanwhile
    // the window goes on. The view takes the focus before the element in it,
    // so that a screen reader hears the document first, then the element.
    page()->runJavaScript(inFrame(name, shows, QStringLiteral("false")), QWebEngineScript::ApplicationWorld,
                          [this, name, focus](const QVariant& shown) {
                              if (!shown.toBool())
                                  return;
                              setFocus();
                              page()->runJavaScript(inFrame(name, focus, QStringLiteral("''")),
                                                    QWebEngineScript::ApplicationWorld,
                                                    [this](const QVariant& text) {
                                                        announceToScreenReader(this, text.toString().simplified());
                                                    });
                          });
}

bool WebBrowser::readOnward(int step)
{
    // The next block is the one that holds the first visible text after the
    // focused block's own; a block inside it (a list within a list item)
    // counts as a block of its own. The previous one holds the last visible
    // text before the focused block. A form control keeps its arrow keys.
    const QString read = QStringLiteral(R"JS(
        const doc = lexoriaFocused().document;
        const active = doc.activeElement;
        if (!doc.body || (active && active.matches('input, select, textarea, [contenteditable]')))
            return null;
        const blockOf = node => node.parentElement.closest(lexoriaBlocks) || node.parentElement;
        const current = active && active !== doc.body ? active.closest(lexoriaBlocks) || active : null;
        const texts = doc.createTreeWalker(doc.body, NodeFilter.SHOW_TEXT);
        const readable = node => node.data.trim() !== '' && node.parentElement.getClientRects().length > 0;
        texts.currentNode = current || doc.body;
        while (%1 > 0 ? texts.nextNode() : texts.previousNode()) {
            const node = texts.currentNode;
            const block = blockOf(node);
            if (readable(node) && block !== current) {
                const text = lexoriaReadable(block);
                block.focus();
                return text;
            }
        }
        return '';
    )JS").arg(step);
    const QVariant text = evaluate(inPage(read));
    if (text.isNull())
        return false;
    announceToScreenReader(this, text.toString().simplified());
    return true;
}

void WebBrowser::execCommand(const QString& command)
{
    if (command == u"Copy")
        copySelection();
    else if (command == u"SelectAll")
        runEditAction(QWebEnginePage::SelectAll, selectionCoversDocument);
    else if (command == u"Unselect")
        runEditAction(QWebEnginePage::Unselect, selectionIsEmpty);
    else
        throw WebBrowserError("unknown command " + command.toStdString());
}

void WebBrowser::ExecWB(int command, int option)
{
    if (command != OLECMDID_PRINT || option != OLECMDEXECOPT_PROMPTUSER)
        throw WebBrowserError("ExecWB supports only printing with the dialog");
    const QUrl document(evaluate(inPage(QStringLiteral("return lexoriaFocused().location.href;"))).toString());
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    takeBackFocus(this);
    if (accepted)
        printDocument(document, &printer, static_cast<ReaderPage*>(page())->appDir());
}

void WebBrowser::printFrame(const QString& name, QPrinter* printer)
{
    const QVariant href = evaluateInFrame(name, QStringLiteral("return frame.location.href;"));
    printDocument(QUrl(href.toString()), printer, static_cast<ReaderPage*>(page())->appDir());
}

// Runs a script in the top-level page and returns its result. Scripts run in
// the isolated world, where the pages' own scripts cannot redefine what they
// call.
QVariant WebBrowser::evaluate(const QString& script)
{
    if (url().isEmpty())
        throw WebBrowserError("the view shows no document yet");
    struct Pending {
        BoundedWait answered;
        QVariant result;
    };
    // The engine may answer after the wait gave up; the answer then lands in
    // the shared state, not on a dead stack frame.
    auto pending = std::make_shared<Pending>();
    page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [pending](const QVariant& result) {
                              pending->result = result;
                              pending->answered.settle(true);
                          });
    if (!pending->answered.await(scriptTimeoutMs)) {
        reportRunOut(QStringLiteral("a script's answer"));
        throw WebBrowserError("the page did not answer");
    }
    return pending->result;
}

// Runs body with `frame` bound to the named frame and returns its result,
// which must be true-ish: a false result, like a missing frame, throws.
QVariant WebBrowser::evaluateInFrame(const QString& name, const QString& body)
{
    const QVariant result = evaluate(inFrame(name, body, QStringLiteral("null")));
    if (!result.toBool())
        throw WebBrowserError("no frame named " + name.toStdString() + " took the request");
    return result;
}

int WebBrowser::numberFromFrame(const QString& name, const QString& body)
{
    bool isNumber = false;
    const int number = evaluate(inFrame(name, body, QStringLiteral("-1"))).toInt(&isNumber);
    if (!isNumber || number < 0)
        throw WebBrowserError("no frame named " + name.toStdString() + " gave a number");
    return number;
}

void WebBrowser::copySelection()
{
    // With nothing selected the engine writes nothing, so there is no write
    // to wait for.
    if (evaluate(inPage(focusedSelection)).toString().isEmpty())
        return;
    // The renderer hands the copied text to the clipboard asynchronously, and
    // only its text on an emptied clipboard tells that it has arrived: a change
    // notice alone does not, as the X server repeats the notice of a clear
    // late, and other programs change the clipboard too.
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    BoundedWait written;
    connect(clipboard, &QClipboard::dataChanged, written.context(), [&written, clipboard] {
        if (!clipboard->text().isEmpty())
            written.settle(true);
    });
    triggerPageAction(QWebEnginePage::Copy);
    if (!written.await(commandTimeoutMs)) {
        reportRunOut(QStringLiteral("the clipboard"));
        throw WebBrowserError("the copied text did not reach the clipboard");
    }
}

// Triggers an editing action and polls the focused document until doneTest
// holds, since the engine does not say when the action has been applied.
void WebBrowser::runEditAction(QWebEnginePage::WebAction action, const QString& doneTest)
{
    triggerPageAction(action);
    const QDeadlineTimer deadline(commandTimeoutMs);
    while (!evaluate(inPage(doneTest)).toBool()) {
        if (deadline.hasExpired()) {
            reportRunOut(QStringLiteral("the command ") + QString::number(action));
            throw WebBrowserError("the command did not take effect");
        }
        pause(pollIntervalMs);
    }
}

void WebBrowser::reportRunOut(const QString& what)
{
    ++waitsRunOut_;
    qWarning("the view gave up waiting for %s", qPrintable(what));
    emit waitRanOut(what);
}
