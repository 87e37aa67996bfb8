#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QtTest>

// The pictures compiled into the window design, under the names the window
// asks for, in the formats and sizes of the design.
class DesignPicturesTest : public QObject {
    Q_OBJECT

private slots:
    void areBuiltIn_data();
    void areBuiltIn();
    void iconHasSixImages();
};

void DesignPicturesTest::areBuiltIn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");
    for (int index = 0; index <= 12; ++index) {
        bool word = index == 8 || index == 9;
        QTest::addRow("image1_%d", index) << QStringLiteral(":/design/image1_%1").arg(index)
                                          << QByteArray(word ? "gif" : "bmp")
                                          << (word ? QSize(64, 32) : QSize(32, 32));
    }
    QTest::newRow("strip") << ":/design/strip" << QByteArray("bmp") << QSize(1600, 36);
    QTest::newRow("splash") << ":/design/splash" << QByteArray("jpeg") << QSize(476, 316);
}

void DesignPicturesTest::areBuiltIn()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);
    QImageReader reader(name);
    QCOMPARE(reader.format(), format);
    QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void DesignPicturesTest::iconHasSixImages()
{
    QImageReader reader(QStringLiteral(":/design/icon"));
    QCOMPARE(reader.format(), QByteArray("ico"));
    QList<int> sides;
    do
        sides.append(reader.read().width());
    while (reader.jumpToNextImage());
    QCOMPARE(sides, (QList<int>{16, 24, 32, 48, 64, 72}));
}

QTEST_MAIN(DesignPicturesTest)
#include "design_pictures_test.moc"
