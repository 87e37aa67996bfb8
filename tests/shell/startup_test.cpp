// Start-up of the real window on a copy of the assembled application
// directory: order of the windows, the version text, and failures that must
// keep the main window hidden.
#include "tests/support/reader_fixture.h"
#include "window/splash_window.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records when the watched windows are shown and hidden.
class VisibilityLog : public QObject {
public:
    std::vector<std::string> entries;

    void watch(QWidget* window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
            entries.push_back(watched->metaObject()->className() + std::string(event->type() == QEvent::Show ? " shown" : " hidden"));
        return false;
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void splashComesFirstAndGoesLast();
    void versionNamesTheExecutable();
    void missingFileKeepsTheWindowHidden_data();
    void missingFileKeepsTheWindowHidden();
};

void StartupTest::splashComesFirstAndGoesLast()
{
    ReaderFixture reader;
    Form1& form = reader.create();
    form.splash = new Form2;
    VisibilityLog log;
    log.watch(&form);
    log.watch(form.splash);
    form.Form_Load();

    QCOMPARE(log.entries, (std::vector<std::string>{"Form2 shown", "Form1 shown", "Form2 hidden"}));
    QVERIFY(form.isVisible());
    QVERIFY(!form.splash->isVisible());
    QVERIFY(form.docCount > 0);
}

void StartupTest::versionNamesTheExecutable()
{
    const char* const cases[][2] = {
        {"/opt/lexoria/lexoria", "lexoria 1.7.249"}, {"/opt/lexoria/LXO", "LXO 1.7.249"}, {"/opt/lexoria/LXO.exe", "LXO 1.7.249"}};
    for (const auto& [executable, version] : cases) {
        const ProgramInfo program = programInfoFromPath(executable);
        QCOMPARE(versionText(program.baseName), std::string(version));
        QCOMPARE(program.directory, std::string("/opt/lexoria"));
    }
}

void StartupTest::missingFileKeepsTheWindowHidden_data()
{
    QTest::addColumn<QString>("removed");
    for (const char* removed : {"index.html", "Wlist.idx", "slo.lng", "Skin/menuSTripe.jpg", "Skin/Normal/copy.jpg"})
        QTest::newRow(removed) << removed;
}

void StartupTest::missingFileKeepsTheWindowHidden()
{
    QFETCH(QString, removed);
    ReaderFixture reader;
    QVERIFY(std::filesystem::remove(reader.path(removed.toStdString())));
    Form1& form = reader.create();
    VisibilityLog log;
    log.watch(&form);
    try {
        form.Form_Load();
        QFAIL("start-up went on without its file");
    } catch (const std::exception& failure) {
        QVERIFY2(QString::fromUtf8(failure.what()).contains(removed), failure.what());
    }
    QVERIFY(std::find(log.entries.begin(), log.entries.end(), "Form1 shown") == log.entries.end());
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
