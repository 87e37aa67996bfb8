// Start-up of the real window on a copy of the assembled application
// directory: order of the windows, the version text, and failures that must
// keep the main window hidden.
#include "tests/support/reader_fixture.h"
#include "window/splash_window.h"

#include <map>
#include <string>
#include <vector>

namespace {

// Records when the two windows are shown and hidden.
class VisibilityLog : public QObject {
public:
    std::vector<std::string> entries;

    void watch(QWidget* window, const std::string& name)
    {
        names_[window] = name;
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto found = names_.find(watched);
        if (found != names_.end() && event->type() == QEvent::Show)
            entries.push_back(found->second + " shown");
        if (found != names_.end() && event->type() == QEvent::Hide)
            entries.push_back(found->second + " hidden");
        return false;
    }

private:
    std::map<QObject*, std::string> names_;
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void splashComesFirstAndGoesLast();
    void versionNamesTheExecutable_data();
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
    log.watch(&form, "Form1");
    log.watch(form.splash, "Form2");
    form.Form_Load();

    const std::vector<std::string> expected{"Form2 shown", "Form1 shown", "Form2 hidden"};
    QCOMPARE(log.entries, expected);
    QVERIFY(form.isVisible());
    QVERIFY(!form.splash->isVisible());
    QVERIFY(form.docCount > 0);
}

void StartupTest::versionNamesTheExecutable_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("version");
    QTest::newRow("as built") << "/opt/lexoria/lexoria" << "lexoria 1.7.249";
    QTest::newRow("renamed") << "/opt/lexoria/LXO" << "LXO 1.7.249";
    QTest::newRow("with extension") << "/opt/lexoria/LXO.exe" << "LXO 1.7.249";
}

void StartupTest::versionNamesTheExecutable()
{
    QFETCH(QString, executable);
    QFETCH(QString, version);
    const ProgramInfo program = programInfoFromPath(executable.toStdString());
    QCOMPARE(QString::fromStdString(versionText(program.baseName)), version);
    QCOMPARE(QString::fromStdString(program.directory), QStringLiteral("/opt/lexoria"));
}

void StartupTest::missingFileKeepsTheWindowHidden_data()
{
    QTest::addColumn<QString>("removed");
    QTest::newRow("home page") << "index.html";
    QTest::newRow("index file") << "Wlist.idx";
    QTest::newRow("language file") << "slo.lng";
    QTest::newRow("skin strip") << "Skin/menuSTripe.jpg";
    QTest::newRow("normal picture") << "Skin/Normal/copy.jpg";
}

void StartupTest::missingFileKeepsTheWindowHidden()
{
    QFETCH(QString, removed);
    ReaderFixture reader;
    QVERIFY(std::filesystem::remove(reader.path(removed.toStdString())));

    Form1& form = reader.create();
    bool everShown = false;
    VisibilityLog log;
    log.watch(&form, "Form1");
    try {
        form.Form_Load();
        QFAIL("start-up went on without its file");
    } catch (const std::exception& failure) {
        QVERIFY2(QString::fromUtf8(failure.what()).contains(removed), failure.what());
    }
    for (const std::string& entry : log.entries)
        everShown = everShown || entry == "Form1 shown";
    QVERIFY(!everShown);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
