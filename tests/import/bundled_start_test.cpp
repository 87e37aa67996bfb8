// The reader's first start on the bundled statute, as ./run starts it.
#include "tests/support/reader_fixture.h"

#include <QLabel>

class BundledStartTest : public QObject {
    Q_OBJECT
private slots:
    void firstStartShowsTheTitlePageAndTheCaptionNamesTheAct()
    {
        ReaderFixture reader;
        Form1& form = reader.start();
        QVERIFY(reader.frameUrl().endsWith(QLatin1String("/naslovnica.html")));
        QVERIFY(reader.frameText().startsWith(QStringLiteral("Zakon o delovnih razmerjih (ZDR-1)")));
        QVERIFY(form.Label1->text().startsWith(QStringLiteral("Zakon o delovnih razmerjih (ZDR-1) ... ")));
    }
};

QTEST_MAIN(BundledStartTest)
#include "bundled_start_test.moc"
