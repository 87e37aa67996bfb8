#pragma once

#include <functional>
#include <string>

class QWidget;

// Tells the user what went wrong: on stderr and in a message box. Tests put
// their own reporter in place so that no modal box waits for a click.
void reportFailure(QWidget* parent, const std::string& what);

using FailureReporter = std::function<void(const std::string& what)>;
// Replaces the reporter; returns the one that was in place.
FailureReporter setFailureReporter(FailureReporter reporter);

// Runs a handler's work. A failure is reported and ends the program: the
// window's state after a half-done handler cannot be trusted.
void runOrEnd(QWidget* parent, const std::function<void()>& work);
