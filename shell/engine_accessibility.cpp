#include "shell/engine_accessibility.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariant>
#include <QtGlobal>

namespace {

// A screen reader says so on the accessibility bus as it starts. A desktop
// without the bus answers no at once; one that does not answer in time is
// taken for no.
constexpr int busTimeoutMs = 500;

bool screenReaderRuns()
{
    QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected())
        return false;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << QStringLiteral("org.a11y.Status") << QStringLiteral("ScreenReaderEnabled");
    const QDBusMessage answer = session.call(ask, QDBus::Block, busTimeoutMs);
    return answer.type() == QDBusMessage::ReplyMessage && !answer.arguments().isEmpty()
        && answer.arguments().first().value<QDBusVariant>().variant().toBool();
}

}  // namespace

void askWebEngineForAccessibility()
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY") && screenReaderRuns())
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", QByteArrayLiteral("1"));
}
