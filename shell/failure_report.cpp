#include "shell/failure_report.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <exception>
#include <utility>

namespace {

void showMessageBox(QWidget* parent, const std::string& what)
{
    QMessageBox::critical(parent, QCoreApplication::applicationName(), QString::fromStdString(what));
}

FailureReporter& currentReporter()
{
    static FailureReporter reporter;
    return reporter;
}

}  // namespace

void reportFailure(QWidget* parent, const std::string& what)
{
    std::fprintf(stderr, "lexoria: %s\n", what.c_str());
    if (currentReporter())
        currentReporter()(what);
    else
        showMessageBox(parent, what);
}

FailureReporter setFailureReporter(FailureReporter reporter)
{
    return std::exchange(currentReporter(), std::move(reporter));
}

void runOrEnd(QWidget* parent, const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& failure) {
        reportFailure(parent, failure.what());
        QCoreApplication::exit(1);
    }
}
