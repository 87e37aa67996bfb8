#include "window/picture_file.h"

#include "base/file_error.h"

#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QtTest>

// The shipped skin, drawn by the build.
static const QString skin = QStringLiteral(LEXORIA_APP_DIR "/Skin/");

static QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class PictureFileTest : public QObject {
    Q_OBJECT

    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(dir_.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() ? file.fileName() : QString();
    }

    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
        QVERIFY(QImage(7, 5, QImage::Format_RGB888).save(dir_.filePath("whole.bmp")));
        // Several scans, each followed by more segments, before the end marker.
        QImageWriter progressive(dir_.filePath("progressive.jpg"), "jpeg");
        progressive.setProgressiveScanWrite(true);
        QImage picture(40, 30, QImage::Format_RGB888);
        picture.fill(Qt::darkGreen);
        QVERIFY(progressive.write(picture));
    }

    // Bytes after a picture's own end, as cameras and editors leave them, are no harm.
    void readsEachFormatAndEveryImageOfAnIcon()
    {
        const QByteArray padded[] = {bytesOf(skin + "Normal/back.jpg") + "\n", bytesOf(skin + "ON/OK.gif") + QByteArray(9, '\0')};
        const std::pair<QString, QSize> cases[] = {
            {skin + "Normal/back.jpg", {32, 32}}, {skin + "ON/OK.gif", {64, 32}}, {skin + "app.ico", {16, 16}},
            {skin + "menuSTripe.jpg", {1600, 36}}, {dir_.filePath("whole.bmp"), {7, 5}},
            {write("padded.jpg", padded[0]), {32, 32}}, {write("padded.gif", padded[1]), {64, 32}}, {dir_.filePath("progressive.jpg"), {40, 30}}};
        for (const auto& [path, size] : cases)
            QCOMPARE(lexoria::readPicture(path.toStdString()).size(), size);

        QList<QSize> sizes = lexoria::readIcon((skin + "app.ico").toStdString()).availableSizes();
        std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
        QCOMPARE(sizes, (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {72, 72}}));
    }

    void reportsBadFilesNamingThePathAndReason()
    {
        const QByteArray jpeg = bytesOf(skin + "Normal/back.jpg");
        const std::pair<QString, const char*> cases[] = {
            {dir_.filePath("none.jpg"), "cannot open"}, {write("empty.jpg", {}), "empty"}, {write("cut.jpg", jpeg.left(jpeg.size() / 2)), "ends early"},
            {write("cut2.jpg", jpeg.chopped(2) + "\n"), "ends early"},
            {write("cutscans.jpg", bytesOf(dir_.filePath("progressive.jpg")).chopped(40)), "ends early"},
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
};

QTEST_MAIN(PictureFileTest)
#include "picture_file_test.moc"
