#pragma once

#include <QEventLoop>
#include <QTimer>

// Waits in a local event loop for one asynchronous outcome of the web engine
// (a script result, a clipboard write, a finished load), but never longer than
// a bound: a renderer that never answers must not hang the window. User input
// stays queued meanwhile, so no button handler runs inside another.
class BoundedWait {
public:
    void settle(bool success)
    {
        settled_ = true;
        success_ = success;
        loop_.quit();
    }

    // The context for connections that settle this wait: they end with it.
    QObject* context() { return &loop_; }

    // True when the outcome came in time and was a success.
    bool await(int timeoutMs)
    {
        if (!settled_) {
            QTimer::singleShot(timeoutMs, &loop_, &QEventLoop::quit);
            loop_.exec(QEventLoop::ExcludeUserInputEvents);
        }
        return settled_ && success_;
    }

private:
    QEventLoop loop_;
    bool settled_ = false;
    bool success_ = false;
};
