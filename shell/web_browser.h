#pragma once

#include <QString>
#include <QUrl>
#include <QWebEngineView>

#include <stdexcept>

// An operation of the HTML view that could not be carried out (no history
// step, no frame of that name, no document yet).
class WebBrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The reader's HTML view: the operations and the two events the window
// relies on, over QWebEngineView. Loads inside frames raise the events too,
// not only loads of the top-level page.
class WebBrowser : public QWebEngineView {
    Q_OBJECT

public:
    explicit WebBrowser(QWidget* parent = nullptr);
    ~WebBrowser() override;

    // Opens a local file path, replacing the whole view.
    void Navigate(const QString& path);
    // Opens a local file path in the named frame of the shown frameset.
    void Navigate(const QString& path, const QString& targetFrame);
    void Stop();
    void GoBack();     // throws WebBrowserError when there is no step back
    void GoForward();  // throws WebBrowserError when there is no step forward

    // Gives the named frame of the shown page the focus, so that the
    // commands that follow act on it; throws WebBrowserError when there is
    // no such frame. Returns once the frame has the focus.
    void focusFrame(const QString& name);
    // "Copy", "SelectAll" or "Unselect" on the focused frame; returns once
    // the command has taken effect (for "Copy": the clipboard has been written
    // or nothing was selected).
    void execCommand(const QString& command);
    // ExecWB(6, 1): the print dialog for the focused frame.
    void ExecWB(int command, int option);

signals:
    void DownloadBegin();
    void DocumentComplete(const QUrl& url);
};
