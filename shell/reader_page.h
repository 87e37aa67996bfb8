#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

#include <filesystem>

// A page of the reader. It reads pages without a declared encoding as
// Latin-2, the encoding of the whole statute, and it never opens a second
// window. Qt reports the loading of the top-level document only; this page
// also reports every document loaded inside a frame, through a script that
// runs in each frame's isolated world and answers on the console under a
// marker the shown pages cannot know.
//
// A statute's pages are third-party content: they load nothing from outside
// the application directory, and a navigation anywhere else is refused
// where it is asked for, so the page shown stays. A link to the web or to
// mail that the person clicks opens on the desktop, in the person's own
// browser or mail program; only the person's own click, never a script's,
// a refresh or a form, hands anything to the desktop.
class ReaderPage : public QWebEnginePage {
    Q_OBJECT

public:
    ReaderPage(const std::filesystem::path& appDir, QObject* parent);

    const std::filesystem::path& appDir() const { return appDir_; }

signals:
    void frameLoadStarted();
    void frameLoadFinished(const QUrl& url);
    // A navigation of the page or of a frame was refused, or handed to the
    // desktop: no load follows it.
    void navigationRefused(const QUrl& url);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                  const QString& message, int lineNumber,
                                  const QString& sourceID) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

private:
    void applyReaderSettings();
    void installScripts();
    void installIsolatedScript(const QString& name, const QString& source);

    const std::filesystem::path appDir_;
    const QString marker_;
    // The link of the person's last click, until a navigation asks for it.
    QUrl clickedLink_;
};
