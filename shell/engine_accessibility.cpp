#include "shell/engine_accessibility.h"

#include <QByteArray>
#include <QtGlobal>

void askWebEngineForAccessibility()
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", QByteArrayLiteral("1"));
}
