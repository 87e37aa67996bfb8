// The skin and the language file on the real window, started on a copy of
// the assembled application directory.
#include "resources/picture_file.h"
#include "shell/form1.h"
#include "window/picture_button.h"
#include "window/search_panel.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <filesystem>

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
    void init();
    void buttonsShowTheSkin();
    void languageFileSetsTipsAndCaption();
    void pictureSizeSetsTheButtonSize();
    void skinWithoutLitPicturesStarts();

private:
    QString file(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    void write(const QString& name, const QByteArray& bytes);
    Form1& start();

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Form1> form_;
};

void WindowResourcesTest::init()
{
    form_.reset();
    dir_ = std::make_unique<QTemporaryDir>();
    std::filesystem::copy(LEXORIA_APP_DIR, dir_->path().toStdString(),
                          std::filesystem::copy_options::recursive);
}

void WindowResourcesTest::write(const QString& name, const QByteArray& bytes)
{
    QFile out(file(name));
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(bytes);
}

Form1& WindowResourcesTest::start()
{
    form_ = std::make_unique<Form1>(programInfoFromPath(file("lexoria").toStdString()));
    form_->Form_Load();
    return *form_;
}

void WindowResourcesTest::buttonsShowTheSkin()
{
    Form1& form = start();
    for (int index = 0; index < Form1::buttonCount; ++index) {
        const std::string& path = form.strButtonPicture[static_cast<std::size_t>(index)];
        QVERIFY2(QString::fromStdString(path).startsWith(file("Skin/")), path.c_str());
        QCOMPARE(form.Image1[static_cast<std::size_t>(index)]->pixmap().toImage(),
                 lexoria::readPicture(path).toImage());
    }
    QCOMPARE(form.windowIcon().availableSizes().size(), 6);
}

void WindowResourcesTest::languageFileSetsTipsAndCaption()
{
    write("slo.lng", "00  Button:Nazaj\r\n"
                     "03  Button:<b>" + searchWordLatin2 + "</b>\r\n"
                     "12  Button:\r\n"
                     "00  Frame:" + searchWordLatin2 + " & najdi\r\n"
                     "00  strTitula:" + searchWordLatin2 + "\r\n");
    Form1 design(programInfoFromPath(file("lexoria").toStdString()));
    Form1& form = start();

    QCOMPARE(form.strLangFile, file("slo.lng").toStdString());
    QCOMPARE(form.Image1[0]->toolTip(), QStringLiteral("Nazaj"));
    QCOMPARE(plainText(form.Image1[3]->toolTip()), "<b>" + searchWord + "</b>");
    QCOMPARE(form.Image1[12]->toolTip(), QString());
    QCOMPARE(form.Image1[7]->toolTip(), design.Image1[7]->toolTip());
    QCOMPARE(form.Frame1->title(), searchWord + " & najdi");
    QCOMPARE(form.strTitula, searchWordLatin2.toStdString());
    QCOMPARE(form.strCopy, std::string());
}

void WindowResourcesTest::pictureSizeSetsTheButtonSize()
{
    QImage picture(48, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(file("Skin/Normal/home.jpg"), "JPEG"));
    QCOMPARE(start().Image1[2]->size(), QSize(48, 40));
}

void WindowResourcesTest::skinWithoutLitPicturesStarts()
{
    QVERIFY(QDir(file("Skin/ON")).removeRecursively());
    QVERIFY(start().isVisible());
}

QTEST_MAIN(WindowResourcesTest)
#include "window_resources_test.moc"
