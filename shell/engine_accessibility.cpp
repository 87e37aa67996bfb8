#include "shell/engine_accessibility.h"

#include <QAccessible>
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace {

constexpr char engineVariable[] = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";

}  // namespace

void letWebEngineFollowAccessibility()
{
    // Up to Qt 6.5 the engine follows Qt's accessibility only when the
    // variable is set, to any value ("0" included); from Qt 6.6 it does so
    // unless the variable is "0". "1" means the same to both.
#if QT_VERSION < QT_VERSION_CHECK(6, 6, 0)
    if (!qEnvironmentVariableIsSet(engineVariable))
        qputenv(engineVariable, QByteArrayLiteral("1"));
#endif
}

void announceToScreenReader(QObject* source, const QString& text)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    if (!QAccessible::isActive() || text.isEmpty())
        return;
    QAccessibleAnnouncementEvent announcement(source, text);
    QAccessible::updateAccessibility(&announcement);
#else
    Q_UNUSED(source);
    Q_UNUSED(text);
#endif
}
