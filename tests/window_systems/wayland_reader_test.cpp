// The reader as the client of a Wayland compositor (under_weston.sh starts
// one): the window cannot place itself there, but it starts, shows the home
// page and searches as anywhere else.
#include "tests/support/reader_fixture.h"

#include "window/picture_element.h"
#include "window/search_panel.h"

#include <QLineEdit>

class WaylandReaderTest : public QObject {
    Q_OBJECT

private slots:
    void homePageCompletesAndSearchWritesFoundHtmlUnderWayland();
};

void WaylandReaderTest::homePageCompletesAndSearchWritesFoundHtmlUnderWayland()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
    ReaderFixture reader;
    Form1& form = reader.create();
    QSignalSpy completed(form.WebBrowser1, &WebBrowser::DocumentComplete);
    reader.start();
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), 60000);
    QVERIFY(reader.failures.empty());

    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QTRY_VERIFY(form.Frame1->isVisible());
    form.Text1->setText(QStringLiteral("planinsko društvo"));
    QTest::mouseClick(form.Image1[8], Qt::LeftButton);
    const QString found = QString::fromStdString(reader.path("found.html"));
    QTRY_COMPARE_WITH_TIMEOUT(reader.frameUrl(), QUrl::fromLocalFile(found).toString(), 60000);
    QFile results(found);
    QVERIFY(results.open(QIODevice::ReadOnly) && results.readAll().contains("#F1"));
    QVERIFY(reader.failures.empty());
}

QTEST_MAIN(WaylandReaderTest)
#include "wayland_reader_test.moc"
