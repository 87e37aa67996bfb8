// Starts the reader exactly as its main() does and prints, once the home page
// has raised DocumentComplete, the milliseconds since the launch time given
// as the only argument (nanoseconds of the real-time clock); then it ends.

#include "window/form1.h"
#include "base/program_info.h"
#include "shell/engine_accessibility.h"
#include "shell/web_browser.h"

#include <QApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    letWebEngineFollowAccessibility();
    const qint64 launchNs = QString::fromLatin1(argv[1]).toLongLong();
    Form1 form(programInfoFromPath(LEXORIA_APP_DIR "/lexoria"));
    QObject::connect(form.WebBrowser1, &WebBrowser::DocumentComplete, &app,
                     [&form, launchNs](const QUrl& url) {
                         if (url != form.WebBrowser1->url())
                             return;  // a frame, not the home page itself
                         const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
                         std::printf("%lld\n", (nowNs - launchNs) / 1'000'000);
                         QApplication::exit(0);
                     });
    form.Form_Load();
    return QApplication::exec();
}
