#include "toolkit/Jpeg.h"

#include <QFile>
#include <QTest>

#include <stdexcept>

namespace {

QByteArray photograph()
{
    QFile file(QStringLiteral(":/board.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestJpeg : public QObject
{
    Q_OBJECT

private slots:
    void photographIsProgressiveJfifAt72Dpi();
    void decodesPhotographToRgb32();
    void refusesDamagedData_data();
    void refusesDamagedData();
    void readingHeaderRefusesNonJpeg();
};

void TestJpeg::photographIsProgressiveJfifAt72Dpi()
{
    const QByteArray data = photograph();
    QVERIFY(!data.isEmpty());
    const Jpeg::HeaderInfo info = Jpeg::readHeader(data);
    QCOMPARE(info.width, 600);
    QCOMPARE(info.height, 598);
    QCOMPARE(info.components, 3);
    QVERIFY(info.progressive);
    QVERIFY(info.jfif);
    QCOMPARE(info.jfifMajor, 1);
    QCOMPARE(info.jfifMinor, 1);
    QCOMPARE(info.densityUnit, 1);
    QCOMPARE(info.xDensity, 72);
    QCOMPARE(info.yDensity, 72);
}

void TestJpeg::decodesPhotographToRgb32()
{
    const QImage image = Jpeg::decode(photograph());
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(600, 598));
    // The decoder fills the fourth byte as Format_RGB32 requires, and the picture is a
    // mostly green board, not a blank or a byte-swapped buffer.
    qint64 red = 0, green = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            QCOMPARE(qAlpha(p), 255);
            red += qRed(p);
            green += qGreen(p);
            blue += qBlue(p);
        }
    QVERIFY(green > red && green > blue);
}

void TestJpeg::refusesDamagedData_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("fragment");

    const QByteArray good = photograph();
    QTest::newRow("empty") << QByteArray() << QStringLiteral("Empty input");
    QTest::newRow("not a JPEG") << QByteArray("GIF89a and then some more bytes")
                                << QStringLiteral("Not a JPEG file");
    QTest::newRow("header only") << good.left(600) << QStringLiteral("Premature end");
    QTest::newRow("cut in half") << good.left(good.size() / 2) << QStringLiteral("Premature end");
    QTest::newRow("last marker missing") << good.left(good.size() - 2)
                                         << QStringLiteral("Premature end");

    // Garbage in the middle of the entropy-coded scans.
    QByteArray scrambled = good;
    for (qsizetype i = good.size() / 3; i < good.size() / 3 + 400; ++i)
        scrambled[i] = char(0xFF);
    QTest::newRow("scrambled scans") << scrambled << QString();

    // A start-of-frame that claims 0 lines.
    QByteArray noLines = good;
    const qsizetype sof = noLines.indexOf(QByteArray("\xFF\xC2", 2));
    noLines[sof + 5] = 0;
    noLines[sof + 6] = 0;
    QTest::newRow("frame of no lines") << noLines << QStringLiteral("Empty JPEG image");
}

void TestJpeg::refusesDamagedData()
{
    QFETCH(QByteArray, data);
    QFETCH(QString, fragment);
    try {
        Jpeg::decode(data);
        QFAIL("damaged data was decoded");
    } catch (const std::runtime_error& e) {
        const QString message = QString::fromUtf8(e.what());
        QVERIFY2(message.startsWith(QStringLiteral("Cannot decode JPEG image: ")), e.what());
        QVERIFY2(message.contains(fragment), e.what());
    }
}

void TestJpeg::readingHeaderRefusesNonJpeg()
{
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, Jpeg::readHeader(QByteArray("BM not a JPEG")));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, Jpeg::readHeader(photograph().left(100)));
}

QTEST_MAIN(TestJpeg)
#include "tst_jpeg.moc"
