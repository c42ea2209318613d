#include "SetupCtrls/RingRender.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

constexpr TColor kYellow = 0x00FFFF; // settings rings
constexpr TColor kBlue = 0xFF0000;   // options rings

QImage filled(int w, int h, QRgb background)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

} // namespace

class TestRingRender : public QObject
{
    Q_OBJECT

private slots:
    void blendsKnownPixels_data();
    void blendsKnownPixels();
    void leavesCornersAndEllipseUntouched_data();
    void leavesCornersAndEllipseUntouched();
    void keepsEveryPixelOpaque();
    void treatsOnePixelExtentAsCentreLine();
    void leavesEmptyImageAlone();
    void fastPathMatchesOnePixelAtATime();
};

void TestRingRender::blendsKnownPixels_data()
{
    QTest::addColumn<QRgb>("background");
    QTest::addColumn<TColor>("colour");
    QTest::addColumn<float>("strength");
    QTest::addColumn<bool>("whiteCore");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QRgb>("expected");

    const QRgb black = qRgb(0, 0, 0);
    QTest::newRow("centre takes the inner tint")
        << black << kYellow << 0.5f << false << QPoint(32, 32) << qRgb(20, 20, 0);
    QTest::newRow("ring middle, 127.5 rounds to even 128")
        << black << kYellow << 0.5f << false << QPoint(60, 32) << qRgb(128, 128, 0);
    QTest::newRow("white core leaves the inner tint single")
        << black << kYellow << 1.0f << true << QPoint(32, 32) << qRgb(41, 41, 0);
    QTest::newRow("white core is pure white on the ring middle")
        << black << kYellow << 1.0f << true << QPoint(60, 32) << qRgb(255, 255, 255);
    QTest::newRow("white core band blends colour over white")
        << black << kYellow << 1.0f << true << QPoint(61, 32) << qRgb(255, 255, 128);
    QTest::newRow("grey 2 background, 128.5 rounds to even 128")
        << qRgb(2, 2, 2) << kYellow << 0.5f << false << QPoint(60, 32) << qRgb(128, 128, 1);
    QTest::newRow("options blue tint")
        << black << kBlue << 0.25f << false << QPoint(32, 32) << qRgb(0, 0, 10);
    QTest::newRow("vertical axis maps like the horizontal one")
        << black << kYellow << 0.5f << false << QPoint(32, 60) << qRgb(128, 128, 0);
}

void TestRingRender::blendsKnownPixels()
{
    QFETCH(QRgb, background);
    QFETCH(TColor, colour);
    QFETCH(float, strength);
    QFETCH(bool, whiteCore);
    QFETCH(QPoint, pixel);
    QFETCH(QRgb, expected);

    QImage image = filled(65, 65, background);
    RenderRing(image, colour, strength, whiteCore);
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(QString::number(image.pixel(pixel), 16), QString::number(expected, 16));
}

void TestRingRender::leavesCornersAndEllipseUntouched_data()
{
    QTest::addColumn<bool>("whiteCore");
    QTest::newRow("plain ring") << false;
    QTest::newRow("white core") << true;
}

void TestRingRender::leavesCornersAndEllipseUntouched()
{
    QFETCH(bool, whiteCore);
    const QRgb background = qRgb(12, 34, 56);
    QImage image = filled(65, 65, background);
    RenderRing(image, kYellow, 1.0f, whiteCore);

    // Corners lie outside the ellipse; the edge midpoints lie on it (d == 1).
    const QPoint untouched[] = {{0, 0}, {64, 0}, {0, 64}, {64, 64},
                                {0, 32}, {64, 32}, {32, 0}, {32, 64}};
    for (const QPoint& p : untouched)
        QVERIFY2(image.pixel(p) == background, qPrintable(QStringLiteral("(%1, %2) changed")
                                                             .arg(p.x()).arg(p.y())));
    // Just inside the ellipse the ring has faded to a quarter but still blends.
    QVERIFY(image.pixel(1, 32) != background);
}

void TestRingRender::keepsEveryPixelOpaque()
{
    QImage image = filled(65, 65, qRgb(0, 0, 0));
    RenderRing(image, kYellow, 1.0f, true);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(qAlpha(image.pixel(x, y)), 255);
}

void TestRingRender::treatsOnePixelExtentAsCentreLine()
{
    QImage column = filled(1, 65, qRgb(0, 0, 0));
    RenderRing(column, kYellow, 0.5f, false);
    QCOMPARE(column.pixel(0, 32), qRgb(20, 20, 0));
    QCOMPARE(column.pixel(0, 60), qRgb(128, 128, 0));
    QCOMPARE(column.pixel(0, 0), qRgb(0, 0, 0));

    QImage row = filled(65, 1, qRgb(0, 0, 0));
    RenderRing(row, kYellow, 0.5f, false);
    QCOMPARE(row.pixel(32, 0), qRgb(20, 20, 0));
    QCOMPARE(row.pixel(4, 0), qRgb(128, 128, 0));
    QCOMPARE(row.pixel(64, 0), qRgb(0, 0, 0));

    QImage dot = filled(1, 1, qRgb(0, 0, 0));
    RenderRing(dot, kYellow, 0.5f, false);
    QCOMPARE(dot.pixel(0, 0), qRgb(20, 20, 0));
}

void TestRingRender::leavesEmptyImageAlone()
{
    QImage empty;
    RenderRing(empty, kYellow, 1.0f, true);
    QVERIFY(empty.isNull());
}

// The several-pixels-at-once path must give exactly the bytes of the one-pixel path, for
// every width (tails included), background, colour, strength and core.
void TestRingRender::fastPathMatchesOnePixelAtATime()
{
    QRandomGenerator random(4400);
    const float strengths[] = {0.25f, 0.5f, 0.75f, 1.0f, 0.3f};
    for (int w = 1; w <= 70; w += (w < 12 ? 1 : 7)) {
        for (int h : {1, 2, 21, 38, 55}) {
            QImage background(w, h, QImage::Format_RGB32);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    background.setPixel(x, y, 0xFF000000u | (random.generate() & 0xFFFFFF));
            const TColor colour = random.generate() & 0xFFFFFF;
            for (float strength : strengths) {
                for (bool core : {false, true}) {
                    QImage fast = background, slow = background;
                    RenderRing(fast, colour, strength, core, RingPath::Fastest);
                    RenderRing(slow, colour, strength, core, RingPath::OnePixelAtATime);
                    QVERIFY2(fast == slow, qPrintable(QStringLiteral("%1 x %2, strength %3, core %4")
                                                          .arg(w).arg(h).arg(strength).arg(core)));
                }
            }
        }
    }
}

QTEST_MAIN(TestRingRender)
#include "tst_ringrender.moc"
