#include "shell/reader_page.h"

#include <QUuid>
#include <QWebEngineSettings>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

const QString beginWord = QStringLiteral("begin");
const QString completeWord = QStringLiteral("complete ");

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

}  // namespace

ReaderPage::ReaderPage(QObject* parent)
    : QWebEnginePage(parent),
      marker_(QUuid::createUuid().toString(QUuid::WithoutBraces) + u' ')
{
    applyReaderSettings();
    installFrameScript();
}

void ReaderPage::applyReaderSettings()
{
    settings()->setDefaultTextEncoding(QStringLiteral("ISO-8859-2"));
    // The frames of a page are separate file:// documents; the window reaches
    // into them (focus, selection, location) only while file URLs may access
    // each other.
    settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
}

void ReaderPage::installFrameScript()
{
    QWebEngineScript script;
    script.setName(QStringLiteral("lexoria-frame-events"));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setRunsOnSubFrames(true);
    // An isolated world keeps the marker out of the pages' reach and the
    // pages' own redefinitions of console out of the script's way.
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setSourceCode(QString::fromLatin1(frameScript)
                             .arg(marker_, beginWord, completeWord));
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
}

QWebEnginePage* ReaderPage::createWindow(WebWindowType)
{
    // The reader has one view; a target naming no frame must not open another.
    return nullptr;
}
