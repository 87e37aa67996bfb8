#include "shell/reader_page.h"

#include "shell/closed_network.h"
#include "shell/request_guard.h"

#include <QDesktopServices>
#include <QUuid>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

const QString beginWord = QStringLiteral("begin");
const QString completeWord = QStringLiteral("complete ");
const QString clickWord = QStringLiteral("click ");

// Runs at the creation of every document of every frame. The top-level
// document is left out because Qt's own load signals cover it, and the empty
// placeholder document a frame holds before its first load is no load at all.
const char* frameScript = R"JS(
(function () {
    if (window === window.top || location.protocol === 'about:')
        return;
    const marker = '%1';
    console.debug(marker + '%2');
    window.addEventListener('load', function () {
        console.debug(marker + '%3' + location.href);
    });
})();
)JS";

// Runs in every document of every frame and reports each click the person
// made (a pointer or a key, never a script's), with the link it fell on, if
// any, as the link stands at that moment. Registered in the capture phase
// at the window, it hears the click before any listener of the page can.
const char* clickScript = R"JS(
(function () {
    const marker = '%1';
    window.addEventListener('click', function (event) {
        if (!event.isTrusted)
            return;
        const target = event.target instanceof Element ? event.target : null;
        const link = target ? target.closest('a[href], area[href]') : null;
        console.debug(marker + '%2' + (link ? link.href : ''));
    }, true);
})();
)JS";

// The schemes that belong to the desktop's browser and mail program.
bool opensOnDesktop(const QUrl& url)
{
    const QString scheme = url.scheme();
    return scheme == u"http" || scheme == u"https" || scheme == u"mailto";
}

}  // namespace

ReaderPage::ReaderPage(const std::filesystem::path& appDir, QObject* parent)
    : QWebEnginePage(parent),
      appDir_(appDir),
      marker_(QUuid::createUuid().toString(QUuid::WithoutBraces) + u' ')
{
    // The engine has read its switches with the first page.
    forgetEngineSwitches();
    RequestGuard::guard(profile(), appDir);
    applyReaderSettings();
    installScripts();
}

void ReaderPage::applyReaderSettings()
{
    settings()->setDefaultTextEncoding(QStringLiteral("ISO-8859-2"));
    // The frames of a page are separate file:// documents; the window reaches
    // into them (focus, selection, location) only while file URLs may access
    // each other.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    // A page that cannot load shows nothing of the engine's in its frame.
    settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    // A file dropped on the view is not opened in place of the statute.
    settings()->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
}

void ReaderPage::installScripts()
{
    installIsolatedScript(QStringLiteral("lexoria-frame-events"),
                          QString::fromLatin1(frameScript).arg(marker_, beginWord, completeWord));
    installIsolatedScript(QStringLiteral("lexoria-person-clicks"),
                          QString::fromLatin1(clickScript).arg(marker_, clickWord));
}

void ReaderPage::installIsolatedScript(const QString& name, const QString& source)
{
    QWebEngineScript script;
    script.setName(name);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    // An isolated world keeps the marker out of the pages' reach and the
    // pages' own redefinitions of console out of the script's way.
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setSourceCode(source);
    scripts().insert(script);
}

void ReaderPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                               const QString& message,
                                               int lineNumber,
                                               const QString& sourceID)
{
    if (!message.startsWith(marker_)) {
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
        return;
    }
    const QStringView event = QStringView(message).mid(marker_.size());
    if (event == beginWord)
        emit frameLoadStarted();
    else if (event.startsWith(completeWord))
        emit frameLoadFinished(QUrl(event.mid(completeWord.size()).toString()));
    else if (event.startsWith(clickWord))
        clickedLink_ = QUrl(event.mid(clickWord.size()).toString());
}

// The engine's navigation type cannot tell a script's a.click() from the
// person's: a link goes to the desktop only when it is the one the person
// has just clicked.
bool ReaderPage::acceptNavigationRequest(const QUrl& url, NavigationType, bool)
{
    const bool clicked = !clickedLink_.isEmpty() && url == clickedLink_;
    clickedLink_.clear();
    if (opensOnDesktop(url) && clicked)
        QDesktopServices::openUrl(url);
    if (!opensOnDesktop(url) && mayLoad(url, appDir_))
        return true;
    emit navigationRefused(url);
    return false;
}

QWebEnginePage* ReaderPage::createWindow(WebWindowType)
{
    // The reader has one view; a target naming no frame must not open another.
    return nullptr;
}
