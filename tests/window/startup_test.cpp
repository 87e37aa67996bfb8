// Start-up of the real window on a copy of the assembled application
// directory: order of the windows, the version text, and failures that must
// keep the main window hidden.
#include "tests/support/reader_fixture.h"
#include "window/splash_window.h"

// Records when the watched windows are shown and hidden.
struct VisibilityLog : QObject {
    QStringList entries;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            entries << watched->metaObject()->className() + QString(event->type() == QEvent::Show ? " shown" : " hidden");
        return false;
    }
};

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void versionNamesTheExecutableWithoutExtension()
    {
        const char* const cases[][2]{{"/opt/lexoria/lexoria", "lexoria 1.7.249"}, {"/opt/lexoria/LXO", "LXO 1.7.249"}, {"/opt/lexoria/LXO.exe", "LXO 1.7.249"}};
        for (const auto& [executable, version] : cases) {
            QCOMPARE(versionText(programInfoFromPath(executable).baseName), std::string(version));
            QCOMPARE(programInfoFromPath(executable).directory, std::string("/opt/lexoria"));
        }
    }

    void splashComesFirstAndAMissingFileKeepsTheWindowHidden_data()
    {
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("nothing missing") << QString() << QStringList{"Form2 shown", "Form1 shown", "Form2 hidden"};
        for (const char* removed : {"index.html", "Wlist.idx", "slo.lng", "Skin/menuSTripe.jpg", "Skin/Normal/copy.jpg"})
            QTest::newRow(removed) << QString(removed) << QStringList{"Form2 shown"};
    }

    void splashComesFirstAndAMissingFileKeepsTheWindowHidden()
    {
        QFETCH(QString, removed);
        ReaderFixture reader;
        QVERIFY(removed.isEmpty() || std::filesystem::remove(reader.path(removed.toStdString())));
        Form1& form = reader.create();
        form.splash = std::make_unique<Form2>();
        VisibilityLog log;
        form.installEventFilter(&log);
        form.splash->installEventFilter(&log);
        try {
            form.Form_Load();
            QVERIFY2(removed.isEmpty() && form.docCount > 0, "start-up went on without its file, or loaded no pages");
        } catch (const std::exception& failure) {
            QVERIFY2(!removed.isEmpty() && QString::fromUtf8(failure.what()).contains(removed), failure.what());
        }
        QTEST(log.entries, "log");
        QCOMPARE(form.isVisible(), removed.isEmpty());
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
