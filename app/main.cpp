#include "shell/engine_accessibility.h"
#include "shell/failure_report.h"
#include "window/form1.h"
#include "base/program_info.h"

#include <QApplication>

#include <exception>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    letWebEngineFollowAccessibility();
    QApplication::setApplicationName(QStringLiteral("Lexoria"));
    Form1 form(programInfoFromPath(startedProgramPath()));
    try {
        form.Form_Load();
    } catch (const std::exception& failure) {
        reportFailure(nullptr, failure.what());
        return 1;
    }
    return QApplication::exec();
}
