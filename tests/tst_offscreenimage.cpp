// Off-screen image: the exact rectangle at its edges and at the image's borders, the
// pixel layout, system colours and the clipped block copies.

#include "toolkit/OffscreenImage.h"

#include <QPainter>
#include <QTest>

namespace {

constexpr TColor kPaper = 0xFFFFFF, kPen = 0x0000FF, kBrush = 0x00FF00;

// Pixels as text, one string per row: '.' paper, 'P' pen, 'B' brush, letters a.. for the
// numbered colours of a copy source.
QStringList art(const TOffscreenImage& image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const TColor c = image.pixel(x, y);
            row += c == kPaper ? '.' : c == kPen ? 'P' : c == kBrush ? 'B' : QChar('a' + int(c));
        }
        rows << row;
    }
    return rows;
}

TOffscreenImage paper(int w, int h)
{
    TOffscreenImage image;
    image.setSize(w, h);
    image.setPen(kPaper);
    image.setBrush(kPaper);
    image.rectangle(0, 0, w, h);
    return image;
}

// A 4 x 3 source whose pixels are lettered a to l, row by row.
TOffscreenImage lettered()
{
    TOffscreenImage image;
    image.setSize(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, TColor(y * 4 + x));
    return image;
}

} // namespace

class TestOffscreenImage : public QObject
{
    Q_OBJECT

private slots:
    void rectangleHasAnExactRing_data();
    void rectangleHasAnExactRing();
    void pixelsAreStoredBlueGreenRed();
    void systemColoursResolveWhenSet();
    void copyClipsToBothImages_data();
    void copyClipsToBothImages();
    void copyOntoAPainterClipsToTheSource();
    void emptyImageIgnoresEverything();
};

void TestOffscreenImage::rectangleHasAnExactRing_data()
{
    QTest::addColumn<QRect>("box"); // x1, y1 as the corner, x2 - x1 and y2 - y1 as the size
    QTest::addColumn<bool>("solidPen");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("3 x 3") << QRect(1, 1, 3, 3) << true << QStringList{"......", ".PPP..", ".PBP..", ".PPP..", "......"};
    QTest::newRow("2 wide is all ring") << QRect(0, 0, 2, 3) << true
                                        << QStringList{"PP....", "PP....", "PP....", "......", "......"};
    QTest::newRow("one pixel") << QRect(5, 4, 1, 1) << true << QStringList{"......", "......", "......", "......", ".....P"};
    QTest::newRow("clear pen fills it all") << QRect(1, 1, 3, 3) << false
                                            << QStringList{"......", ".BBB..", ".BBB..", ".BBB..", "......"};
    QTest::newRow("past the top left: the ring stays outside")
        << QRect(-1, -1, 4, 4) << true << QStringList{"BBP...", "BBP...", "PPP...", "......", "......"};
    QTest::newRow("past the bottom right") << QRect(4, 3, 4, 4) << true
                                           << QStringList{"......", "......", "......", "....PP", "....PB"};
    QTest::newRow("reversed box draws nothing") << QRect(4, 1, -3, 2) << true
                                                << QStringList{"......", "......", "......", "......", "......"};
}

void TestOffscreenImage::rectangleHasAnExactRing()
{
    QFETCH(QRect, box);
    QFETCH(bool, solidPen);
    QFETCH(QStringList, expected);

    TOffscreenImage image = paper(6, 5);
    image.setPen(kPen, solidPen ? TOffscreenImage::psSolid : TOffscreenImage::psClear);
    image.setBrush(kBrush);
    image.rectangle(box.x(), box.y(), box.x() + box.width(), box.y() + box.height());
    QCOMPARE(art(image), expected);
}

void TestOffscreenImage::pixelsAreStoredBlueGreenRed()
{
    TOffscreenImage image = paper(2, 2);
    image.setPixel(1, 1, 0x332211); // red 0x11, green 0x22, blue 0x33
    const uchar* row = image.scanLine(1);
    QCOMPARE(row[4], uchar(0x33));
    QCOMPARE(row[5], uchar(0x22));
    QCOMPARE(row[6], uchar(0x11));
    QCOMPARE(image.pixel(1, 1), TColor(0x332211));
    QCOMPARE(image.image().pixel(1, 1), qRgb(0x11, 0x22, 0x33));

    image.setPixel(2, 0, kPen); // outside: dropped, and the row beside it stays
    QCOMPARE(art(image).first(), QString(".."));
    QCOMPARE(image.pixel(-1, 0), clBlack);
}

void TestOffscreenImage::systemColoursResolveWhenSet()
{
    TOffscreenImage image = paper(3, 3);
    image.setPen(clBtnFace);
    image.setBrush(clBtnFace);
    image.rectangle(0, 0, 3, 3);
    QCOMPARE(image.pixel(0, 0), resolveColor(clBtnFace));
    QCOMPARE(image.pixel(1, 1), resolveColor(clBtnFace));
}

void TestOffscreenImage::copyClipsToBothImages_data()
{
    QTest::addColumn<QPoint>("target");
    QTest::addColumn<QRect>("source");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("whole") << QPoint(0, 0) << QRect(0, 0, 4, 3) << QStringList{"abcd", "efgh", "ijkl"};
    QTest::newRow("past the target's bottom right") << QPoint(2, 1) << QRect(0, 0, 4, 3)
                                                    << QStringList{"....", "..ab", "..ef"};
    QTest::newRow("before the source's top left") << QPoint(0, 0) << QRect(-1, -1, 3, 3)
                                                  << QStringList{"....", ".ab.", ".ef."};
    QTest::newRow("before the target's left") << QPoint(-1, 2) << QRect(0, 1, 4, 1)
                                              << QStringList{"....", "....", "fgh."};
    QTest::newRow("past the source's bottom right") << QPoint(0, 0) << QRect(3, 2, 2, 2)
                                                    << QStringList{"l...", "....", "...."};
    QTest::newRow("empty block") << QPoint(0, 0) << QRect(0, 0, 0, 3) << QStringList{"....", "....", "...."};
}

void TestOffscreenImage::copyClipsToBothImages()
{
    QFETCH(QPoint, target);
    QFETCH(QRect, source);
    QFETCH(QStringList, expected);

    TOffscreenImage to = paper(4, 3);
    lettered().copyTo(to, target.x(), target.y(), source.x(), source.y(), source.width(), source.height());
    QCOMPARE(art(to), expected);
}

void TestOffscreenImage::copyOntoAPainterClipsToTheSource()
{
    TOffscreenImage surface = paper(4, 3);
    {
        QPainter painter(&surface.image());
        lettered().copyTo(painter, 0, 0, -1, -1, 3, 3);
        lettered().copyTo(painter, 0, 0, 0, 0, 0, 3); // a block of no width copies nothing
    }
    QCOMPARE(art(surface), (QStringList{"....", ".ab.", ".ef."}));

    // Copying an image onto itself reads the pixels as they were before the copy.
    TOffscreenImage self = lettered();
    self.copyTo(self, 1, 0, 0, 0, 3, 3);
    QCOMPARE(art(self), (QStringList{"aabc", "eefg", "iijk"}));
}

void TestOffscreenImage::emptyImageIgnoresEverything()
{
    TOffscreenImage empty;
    empty.setSize(0, 5);
    QCOMPARE(empty.width(), 0);
    QCOMPARE(empty.height(), 0);
    empty.rectangle(0, 0, 3, 3);
    empty.roundRect(0, 0, 3, 3, 2, 2);
    empty.ellipse(0, 0, 3, 3);
    empty.setPixel(0, 0, kPen);
    QCOMPARE(empty.pixel(0, 0), clBlack);

    TOffscreenImage to = paper(2, 2);
    empty.copyTo(to, 0, 0, 0, 0, 2, 2);
    to.ellipse(1, 0, 1, 2); // a box of no width
    QCOMPARE(art(to), (QStringList{"..", ".."}));
}

QTEST_MAIN(TestOffscreenImage)
#include "tst_offscreenimage.moc"
