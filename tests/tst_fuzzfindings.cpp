// Faults the fuzz targets (fuzz/) found, each kept as the smallest case that shows it.

#include "toolkit/Jpeg.h"

#include <QFile>
#include <QTest>

#include <stdexcept>

namespace {

QByteArray photograph()
{
    QFile file(QStringLiteral(":/board.jpg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The stream with the frame header's size replaced; everything else is unchanged.
QByteArray withFrameSize(QByteArray jpeg, int width, int height)
{
    for (qsizetype i = 2; i + 9 < jpeg.size();) {
        const auto marker = quint8(jpeg[i + 1]);
        if (marker >= 0xC0 && marker <= 0xC2) {
            jpeg[i + 5] = char(height >> 8);
            jpeg[i + 6] = char(height);
            jpeg[i + 7] = char(width >> 8);
            jpeg[i + 8] = char(width);
            return jpeg;
        }
        i += 2 + (quint8(jpeg[i + 2]) << 8 | quint8(jpeg[i + 3]));
    }
    return {};
}

QString decodeError(const QByteArray& jpeg)
{
    try {
        Jpeg::decode(jpeg);
    } catch (const std::runtime_error& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}

} // namespace

class TestFuzzFindings : public QObject
{
    Q_OBJECT

private slots:
    void decoderRefusesHugeFramesFromTheHeader_data();
    void decoderRefusesHugeFramesFromTheHeader();
};

// A few hundred bytes claiming 30000 x 30000 pixels made the decoder reserve 3.6 GB for the
// image (and more inside libjpeg) before it found the data missing.
void TestFuzzFindings::decoderRefusesHugeFramesFromTheHeader_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("tooLarge");

    QTest::newRow("30000 x 30000") << 30000 << 30000 << true;
    QTest::newRow("65500 x 65500") << 65500 << 65500 << true;
    QTest::newRow("one pixel over") << 4097 << 4096 << true;
    QTest::newRow("long and thin over") << 65500 << 257 << true;
    // Within the limit the header is accepted and the short data is what fails.
    QTest::newRow("at the limit") << 4096 << 4096 << false;
    QTest::newRow("long and thin") << 65500 << 256 << false;
}

void TestFuzzFindings::decoderRefusesHugeFramesFromTheHeader()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, tooLarge);

    const QByteArray jpeg = withFrameSize(photograph(), width, height);
    QVERIFY(!jpeg.isEmpty());
    QCOMPARE(Jpeg::readHeader(jpeg).width, width);
    const QString error = decodeError(jpeg);
    QVERIFY2(!error.isEmpty(), "a stream with the data of a smaller picture was decoded");
    const QString refusal = QStringLiteral("image of %1x%2 pixels too large").arg(width).arg(height);
    QCOMPARE(error.contains(refusal), tooLarge);
}

QTEST_MAIN(TestFuzzFindings)
#include "tst_fuzzfindings.moc"
