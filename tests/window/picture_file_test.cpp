#include "window/picture_file.h"

#include "base/file_error.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The shipped skin, drawn by the build.
static const QString skin = QStringLiteral(LEXORIA_APP_DIR "/Skin/");

class PictureFileTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QImage(7, 5, QImage::Format_RGB888).save(dir_.filePath("whole.bmp"))); }
    void readsEachFormatAndEveryImageOfAnIcon();
    void reportsBadFilesNamingThePathAndReason();

private:
    QTemporaryDir dir_;
};

void PictureFileTest::readsEachFormatAndEveryImageOfAnIcon()
{
    const std::pair<QString, QSize> cases[] = {
        {skin + "Normal/back.jpg", {32, 32}}, {skin + "ON/OK.gif", {64, 32}}, {skin + "app.ico", {16, 16}},
        {skin + "menuSTripe.jpg", {1600, 36}}, {dir_.filePath("whole.bmp"), {7, 5}}};
    for (const auto& [path, size] : cases)
        QCOMPARE(lexoria::readPicture(path.toStdString()).size(), size);

    QList<QSize> sizes = lexoria::readIcon((skin + "app.ico").toStdString()).availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {72, 72}}));
}

void PictureFileTest::reportsBadFilesNamingThePathAndReason()
{
    const auto bytesOf = [](const QString& path) { QFile file(path); file.open(QIODevice::ReadOnly); return file.readAll(); };
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    };
    const QByteArray jpeg = bytesOf(skin + "Normal/back.jpg");
    const std::pair<QString, const char*> cases[] = {
        {dir_.filePath("none.jpg"), "cannot open"},
        {write("empty.jpg", {}), "empty"},
        {write("cut.jpg", jpeg.left(jpeg.size() / 2)), "ends early"},
        {write("cut1.jpg", jpeg.chopped(1)), "ends early"},
        {write("text.jpg", "00  Button:Back\r\n"), "no readable picture"},
        {write("cut.gif", bytesOf(skin + "Normal/OK.gif").chopped(1)), "GIF data ends early"},
        {write("cut.bmp", bytesOf(dir_.filePath("whole.bmp")).chopped(1)), "BMP data ends early"},
        {write("cut.ico", bytesOf(skin + "app.ico").chopped(1)), "ICO data ends early"},
    };
    for (const auto& [path, reason] : cases) {
        try {
            lexoria::readPicture(path.toStdString());
            QFAIL(qPrintable(path + ": no failure"));
        } catch (const lexoria::FileError& e) {
            const QString message = QString::fromStdString(e.what());
            QVERIFY2(message.startsWith(path + ": ") && message.contains(reason), qPrintable(message));
        }
    }
}

QTEST_MAIN(PictureFileTest)
#include "picture_file_test.moc"
