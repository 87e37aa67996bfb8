#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

// A page of the reader. It reads pages without a declared encoding as
// Latin-2, the encoding of the whole statute, and it never opens a second
// window. Qt reports the loading of the top-level document only; this page
// also reports every document loaded inside a frame, through a script that
// runs in each frame's isolated world and answers on the console under a
// marker the shown pages cannot know.
class ReaderPage : public QWebEnginePage {
    Q_OBJECT

public:
    explicit ReaderPage(QObject* parent = nullptr);

signals:
    void frameLoadStarted();
    void frameLoadFinished(const QUrl& url);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                  const QString& message, int lineNumber,
                                  const QString& sourceID) override;
    QWebEnginePage* createWindow(WebWindowType type) override;

private:
    void applyReaderSettings();
    void installFrameScript();

    const QString marker_;
};
