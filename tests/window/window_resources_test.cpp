// The skin and the language file on the real window, started on a copy of
// the assembled application directory.
#include "window/picture_file.h"
#include "tests/support/reader_fixture.h"
#include "window/picture_button.h"
#include "window/search_panel.h"

#include <QDir>
#include <QTextDocument>

namespace {

// "Išči" (search) in ISO-8859-2.
const QByteArray searchWordLatin2 = "I\xB9\xE8i";
const QString searchWord = QString::fromUtf8("Išči");

QString plainText(const QString& toolTip)
{
    QTextDocument document;
    document.setHtml(toolTip);
    return Qt::mightBeRichText(toolTip) ? document.toPlainText() : toolTip;
}

}  // namespace

class WindowResourcesTest : public QObject {
    Q_OBJECT

private slots:
    void buttonsShowTheSkin();
    void languageFileSetsTipsAndCaption();
    void skinWithoutLitPicturesStarts();
};

void WindowResourcesTest::buttonsShowTheSkin()
{
    ReaderFixture reader;
    Form1& form = reader.start();
    for (int index = 0; index < Form1::buttonCount; ++index) {
        const std::string& path = form.strButtonPicture[static_cast<std::size_t>(index)];
        QVERIFY2(path.starts_with(reader.path("Skin/")), path.c_str());
        QCOMPARE(form.Image1[static_cast<std::size_t>(index)]->pixmap().toImage(),
                 lexoria::readPicture(path).toImage());
    }
    QCOMPARE(form.windowIcon().availableSizes().size(), 6);
}

void WindowResourcesTest::languageFileSetsTipsAndCaption()
{
    ReaderFixture reader;
    reader.write("slo.lng", "00  Button:Nazaj\r\n"
                     "03  Button:<b>" + searchWordLatin2 + "</b>\r\n"
                     "12  Button:\r\n"
                     "00  Frame:" + searchWordLatin2 + " & najdi\r\n"
                     "00  strTitula:" + searchWordLatin2 + "\r\n");
    Form1 design(programInfoFromPath(reader.path("lexoria")));
    Form1& form = reader.start();

    QCOMPARE(form.strLangFile, reader.path("slo.lng"));
    QCOMPARE(form.Image1[0]->toolTip(), QStringLiteral("Nazaj"));
    QCOMPARE(plainText(form.Image1[3]->toolTip()), "<b>" + searchWord + "</b>");
    QCOMPARE(form.Image1[12]->toolTip(), QString());
    QCOMPARE(form.Image1[7]->toolTip(), design.Image1[7]->toolTip());
    QCOMPARE(form.Frame1->title(), searchWord + " & najdi");
    QCOMPARE(form.strTitula, searchWordLatin2.toStdString());
    QCOMPARE(form.strCopy, std::string());
}

void WindowResourcesTest::skinWithoutLitPicturesStarts()
{
    ReaderFixture reader;
    QVERIFY(QDir(QString::fromStdString(reader.path("Skin/ON"))).removeRecursively());
    QVERIFY(reader.start().isVisible());
}

QTEST_MAIN(WindowResourcesTest)
#include "window_resources_test.moc"
