#include "window/picture_file.h"

#include "base/file_error.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

// The shipped skin, drawn by the build.
const QString skin = QStringLiteral(LEXORIA_APP_DIR "/Skin/");

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray bmp()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImage(7, 5, QImage::Format_RGB888).save(&buffer, "BMP");
    return bytes;
}

}  // namespace

class PictureFileTest : public QObject {
    Q_OBJECT

private slots:
    void readsEachFormat_data();
    void readsEachFormat();
    void reportsBadFiles_data();
    void reportsBadFiles();
    void readsEveryImageOfAnIcon();

private:
    QString write(const QString& name, const QByteArray& bytes);

    QTemporaryDir dir_;
};

QString PictureFileTest::write(const QString& name, const QByteArray& bytes)
{
    QString path = dir_.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

void PictureFileTest::readsEachFormat_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");
    QTest::newRow("JPEG") << skin + "Normal/back.jpg" << QSize(32, 32);
    QTest::newRow("GIF") << skin + "ON/OK.gif" << QSize(64, 32);
    QTest::newRow("ICO") << skin + "app.ico" << QSize(16, 16);
    QTest::newRow("strip") << skin + "menuSTripe.jpg" << QSize(1600, 36);
    QTest::newRow("BMP") << write("whole.bmp", bmp()) << QSize(7, 5);
}

void PictureFileTest::readsEachFormat()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    QCOMPARE(lexoria::readPicture(path.toStdString()).size(), size);
}

void PictureFileTest::reportsBadFiles_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");

    QByteArray jpeg = bytesOf(skin + "Normal/back.jpg");
    QTest::newRow("missing") << dir_.filePath("none.jpg") << "cannot open";
    QTest::newRow("zero bytes") << write("empty.jpg", {}) << "empty";
    QTest::newRow("JPEG cut short") << write("cut.jpg", jpeg.left(jpeg.size() / 2)) << "ends early";
    QTest::newRow("JPEG without its last byte") << write("cut1.jpg", jpeg.chopped(1)) << "ends early";
    QTest::newRow("text under a JPEG name") << write("text.jpg", "00  Button:Back\r\n")
                                            << "no readable picture";
    QTest::newRow("GIF without its trailer")
        << write("cut.gif", bytesOf(skin + "Normal/OK.gif").chopped(1)) << "GIF data ends early";
    QTest::newRow("BMP without its last byte") << write("cut.bmp", bmp().chopped(1))
                                               << "BMP data ends early";
    QTest::newRow("ICO without its last byte")
        << write("cut.ico", bytesOf(skin + "app.ico").chopped(1)) << "ICO data ends early";
}

void PictureFileTest::reportsBadFiles()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    try {
        lexoria::readPicture(path.toStdString());
        QFAIL("no failure");
    } catch (const lexoria::FileError& e) {
        QString message = QString::fromStdString(e.what());
        QVERIFY2(message.startsWith(path + ": "), qPrintable(message));
        QVERIFY2(message.contains(reason), qPrintable(message));
    }
}

void PictureFileTest::readsEveryImageOfAnIcon()
{
    QIcon icon = lexoria::readIcon((skin + "app.ico").toStdString());
    QList<QSize> sizes = icon.availableSizes();
    QCOMPARE(sizes.size(), 6);
    for (int side : {16, 24, 32, 48, 64, 72})
        QVERIFY2(sizes.contains(QSize(side, side)), qPrintable(QString::number(side)));
}

QTEST_MAIN(PictureFileTest)
#include "picture_file_test.moc"
