#pragma once

// Scripts run in a page of the web view and the few the tests share, so that
// each test reads what a frame shows, not how a script finds it out.
#include <QApplication>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>

#include <functional>
#include <memory>
#include <optional>

// How long a test waits for the web view before it gives up.
constexpr int loadTimeoutMs = 20000;

// Waits in the event loop until the condition holds or the time is up;
// returns whether it holds. A real event loop, not QTest::qWaitFor: the
// sleeps between its polls starve the web engine, whose browser side runs
// on this thread's events, and a page then takes seconds to load. The poll
// is re-armed only after each check, since a check may wait in turn.
template <typename Condition>
bool waitUntil(Condition condition, int timeoutMs = loadTimeoutMs)
{
    QEventLoop loop;
    QTimer deadline;
    QTimer poll;
    deadline.setSingleShot(true);
    poll.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&poll, &QTimer::timeout, [&] { condition() ? loop.quit() : poll.start(5); });
    deadline.start(timeoutMs);
    poll.start(0);
    loop.exec();
    return condition();
}

// Runs a script in the page's own world and waits for its result.
inline QVariant runScript(QWebEnginePage* page, const QString& script)
{
    auto result = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [result](const QVariant& value) { *result = value; });
    waitUntil([&] { return result->has_value(); });
    return result->value_or(QVariant());
}

// Answers nothing, rather than failing, while a frameset still loads and
// has not made the frame yet.
inline QString inFrame(const QString& frame, const QString& expression) { return QStringLiteral("window.frames['%1']?.%2").arg(frame, expression); }

// Selects the contents of the first element that matches the selector.
inline QString selectContents(const QString& frame, const QString& selector)
{
    return QStringLiteral("(function(w){ const r = w.document.createRange(); r.selectNodeContents(w.document"
                          ".querySelector('%2')); w.getSelection().removeAllRanges(); w.getSelection().addRange(r); })"
                          "(window.frames['%1'])").arg(frame, selector);
}

inline QString selectionIn(QWebEnginePage* page, const QString& frame) { return runScript(page, inFrame(frame, "getSelection().toString()")).toString(); }

// True once the page and each of its frames has loaded its document whole.
inline bool allFramesComplete(QWebEnginePage* page)
{
    return runScript(page, QStringLiteral("document.readyState == 'complete' && Array.from(window.frames)"
                                          ".every(f => f.document.readyState == 'complete')")).toBool();
}

// Answers the first menu or modal dialog that opens while it lives: they run
// their own event loop, so the test can only answer from inside it.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget*)> answer)
    {
        QObject::connect(&poll_, &QTimer::timeout, [this, answer] {
            QWidget* open = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
            if (open && open->isVisible()) {
                poll_.stop();
                answer(seen = open);
            }
        });
        poll_.start(20);
    }

    QWidget* seen = nullptr;

private:
    QTimer poll_;
};
