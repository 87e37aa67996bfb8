#include "shell/closed_network.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace {

const char* const flagsVariable = "QTWEBENGINE_CHROMIUM_FLAGS";

// Port 1 on the loopback: nothing listens there, and only root could. The
// bypass list "<-loopback>" takes away Chromium's rule that loopback
// addresses never go through a proxy. WebRTC may then use no UDP of its own,
// only TCP through that proxy.
const char* const closingSwitches =
    " --proxy-server=http://127.0.0.1:1 --proxy-bypass-list=<-loopback>"
    " --force-webrtc-ip-handling-policy=disable_non_proxied_udp";

bool replaced = false;
bool wasSet = false;
QByteArray previousFlags;

// Runs as the application object is made, before the engine starts with
// the first page.
void closeEngineNetwork()
{
    wasSet = qEnvironmentVariableIsSet(flagsVariable);
    previousFlags = qgetenv(flagsVariable);
    qputenv(flagsVariable, previousFlags + closingSwitches);
    replaced = true;
}
Q_COREAPP_STARTUP_FUNCTION(closeEngineNetwork)

}  // namespace

void forgetEngineSwitches()
{
    if (!replaced)
        return;
    if (wasSet)
        qputenv(flagsVariable, previousFlags);
    else
        qunsetenv(flagsVariable);
    replaced = false;
}
