// The floor for the reader's start: a bare web view of the reader's size
// loading the same home page. Prints the milliseconds from the launch time
// given as first argument (nanoseconds of the real-time clock) to the end of
// the load of the page given as second argument; then it ends, unless a third
// argument "--stay" keeps it open for a memory reading.

#include <QApplication>
#include <QDateTime>
#include <QWebEngineView>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const qint64 launchNs = QString::fromLatin1(argv[1]).toLongLong();
    QWebEngineView view;
    const bool stay = argc > 3 && QString::fromLatin1(argv[3]) == QLatin1String("--stay");
    QObject::connect(&view, &QWebEngineView::loadFinished, &app, [launchNs, stay] {
        const qint64 nowNs = QDateTime::currentMSecsSinceEpoch() * 1'000'000;
        std::printf("%lld\n", (nowNs - launchNs) / 1'000'000);
        if (!stay)
            QApplication::exit(0);
    });
    view.resize(633, 449);
    view.show();
    view.load(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[2])));
    return QApplication::exec();
}
