#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <stdexcept>

class QPrinter;

// The frame of the home page in which pages, results and help open.
inline const QString contentFrame = QStringLiteral("T");

// The text as a JavaScript string literal, quotes and escapes included, to
// put into a script run in the view.
inline QString jsString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// ExecWB's command and option for printing the focused frame with the print
// dialog, the only pair it carries out.
inline constexpr int OLECMDID_PRINT = 6;
inline constexpr int OLECMDEXECOPT_PROMPTUSER = 1;

// An operation of the HTML view that could not be carried out (no history
// step, no frame of that name, no document yet, a command that did not take
// effect in time).
class WebBrowserError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The reader's HTML view: the operations and the two events the window
// relies on, over QWebEngineView. Loads inside frames raise the events too,
// not only loads of the top-level page. The operations that must see the
// page's answer (frame lookups, commands, printing) wait for it in a local
// event loop that holds user input back.
class WebBrowser : public QWebEngineView {
    Q_OBJECT

public:
    // Shows the pages of the application directory appDir, and nothing
    // from outside it.
    explicit WebBrowser(const QString& appDir, QWidget* parent = nullptr);
    ~WebBrowser() override;

    // Opens a local file path, replacing the whole view.
    void Navigate(const QString& path);
    // Opens a local file path in the named frame of the shown frameset, once
    // a frameset that is loading has loaded; throws WebBrowserError when the
    // shown page has no such frame.
    void Navigate(const QString& path, const QString& targetFrame);
    void Stop();
    void GoBack();     // throws WebBrowserError when there is no step back
    void GoForward();  // throws WebBrowserError when there is no step forward
    // How many navigations and history steps have been asked for so far: a
    // caller that compares two counts sees whether the person opened another
    // page in between.
    int navigationsAsked() const { return navigationsAsked_; }
    // How many of the view's bounded waits have run out their deadline so
    // far, each also told through waitRanOut and on the program's output
    // ("the view gave up waiting for ..."): a view that answers in time never
    // lets one run out.
    int waitsRunOut() const { return waitsRunOut_; }

    // Gives the named frame of the shown page the focus, so that the
    // commands that follow act on it; throws WebBrowserError when there is
    // no such frame. Returns once the frame has the focus.
    void focusFrame(const QString& name);
    // When the shown page or its named frame is the document at path, gives
    // the view the keyboard focus and, in that frame, the block that holds
    // the current search hit, else the first heading, else the frame itself:
    // a screen reader reads on from there, and Tab goes on to what follows.
    // Returns at once; a page without that frame is left as it is.
    void focusReadingStart(const QString& name, const QString& path);
    // Moves the focus on to the next block of text of the focused document
    // (step 1) or back to the previous one (step -1), which a screen reader
    // then speaks: the reading a screen reader's own keys give in a browser,
    // and none in this view. Answers false, changing nothing, when a form
    // control of the page has the focus and the arrow keys are its own.
    bool readOnward(int step);
    // "Copy", "SelectAll" or "Unselect" on the focused frame; returns once
    // the command has taken effect (for "Copy": the clipboard has been written
    // or nothing was selected).
    void execCommand(const QString& command);
    // ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER): the print dialog for the focused frame; once accepted,
    // the frame's document is printed before this returns.
    void ExecWB(int command, int option);
    // Prints the document shown in the named frame, without a dialog.
    void printFrame(const QString& name, QPrinter* printer);
    // Runs body with `frame` bound to the named frame; body returns a number
    // of at least 0.
    // Throws WebBrowserError when there is no such frame or no number came back.
    int numberFromFrame(const QString& name, const QString& body);

signals:
    void DownloadBegin();
    void DocumentComplete(const QUrl& url);
    // A wait for what is named gave up at its deadline.
    void waitRanOut(const QString& what);

private:
    void stepThroughHistory(int offset);
    void awaitFrameset();
    QVariant evaluate(const QString& script);
    QVariant evaluateInFrame(const QString& name, const QString& body);
    void copySelection();
    void runEditAction(QWebEnginePage::WebAction action, const QString& doneTest);
    void reportRunOut(const QString& what);

    // A load of the whole page was asked for and the engine has not yet
    // taken it up: from then on the engine's own loading state tells.
    bool framesetAskedFor_ = false;
    int navigationsAsked_ = 0;
    int waitsRunOut_ = 0;
};
