// The drawn controls at the resolution of their screen. CTest runs this program twice: as it
// is, and with QT_SCALE_FACTOR=2. At a factor of 1 every pixel is the drawing as specified; at
// 2 the jumpers, the rings and the photograph are drawn in the screen's own pixels (the same
// drawing made at twice the size), not scaled up from the factor-1 pixels.

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/RingRender.h"
#include "toolkit/Colour.h"

#include <QTest>

using namespace Setup;

namespace {

// The factor this run was started with.
qreal askedScale() { return qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble(); }

QImage grabbed(QWidget& widget)
{
    QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

QImage nearestUpscale(const QImage& image, qreal factor)
{
    return image.scaled((QSizeF(image.size()) * factor).toSize(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

// A photograph-sized picture with fine detail: smooth scaling from it differs from scaling
// a smaller copy up.
QImage detailedPicture()
{
    QImage picture(600, 598, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, ((x ^ y) & 8) ? 255 : 0));
    return picture;
}

// The photograph as a 400 x 399 picture shows it at the device pixel ratio: scaled once.
QImage pictureAt(qreal dpr)
{
    const QSize pixels = (QSizeF(400, 399) * dpr).toSize();
    return detailedPicture().scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// A host window shown on the screen, so every widget in it has the screen's pixel ratio.
struct Host
{
    QWidget window;

    Host() { window.resize(600, 600); }
    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
};

TBoardImage* addBoard(QWidget& window)
{
    auto* board = new TBoardImage(&window);
    board->setAutoSize(false);
    board->setCenterOnForm(false);
    board->setStretch(true);
    board->setGeometry(0, 0, 400, 399);
    board->setPicture(detailedPicture());
    return board;
}

} // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT

private slots:
    void windowsHaveTheAskedScale();
    void jumpersAreDrawnAtDevicePixels_data();
    void jumpersAreDrawnAtDevicePixels();
    void ringsAreRenderedFromThePhotographAtDevicePixels();
    void photographIsScaledOnceToDevicePixels();
};

// Without this the factor-2 run would check the factor-1 drawings a second time.
void TestHighDpi::windowsHaveTheAskedScale()
{
    Host host;
    QVERIFY(host.show());
    QCOMPARE(host.window.devicePixelRatio(), askedScale());
}

void TestHighDpi::jumpersAreDrawnAtDevicePixels_data()
{
    QTest::addColumn<bool>("threePin");
    QTest::addColumn<int>("state"); // Closed for a two-pin jumper, JumperState for a three-pin one
    QTest::addColumn<TOrientationType>("orientation");
    QTest::addColumn<QSize>("size");

    QTest::newRow("two-pin open") << false << 0 << otUp << QSize(34, 18);
    QTest::newRow("two-pin closed") << false << 1 << otUp << QSize(34, 18);
    QTest::newRow("three-pin left") << true << int(jsLeft) << otUp << QSize(43, 18);
    QTest::newRow("three-pin right, upright") << true << int(jsRight) << otLeft << QSize(18, 43);
}

void TestHighDpi::jumpersAreDrawnAtDevicePixels()
{
    QFETCH(bool, threePin);
    QFETCH(int, state);
    QFETCH(TOrientationType, orientation);
    QFETCH(QSize, size);

    Host host;
    auto* panel = new TRadioPanel(&host.window);
    panel->setColor(0x336699);
    panel->resize(100, 100);
    QWidget* jumper;
    if (threePin) {
        auto* three = new TThreeJumper(panel);
        three->setJumperState(TJumperState(state));
        three->setOrientation(orientation);
        jumper = three;
    } else {
        auto* two = new TTwoJumper(panel);
        two->setClosed(state != 0);
        two->setOrientation(orientation);
        jumper = two;
    }
    jumper->resize(size);
    QVERIFY(host.show());

    const qreal dpr = askedScale();
    TJumperLook look;
    look.Background = 0x336699;
    const auto drawing = [&](QSize widgetSize) {
        TOffscreenImage work, view;
        const QSize drawn = jumperDrawingSize(widgetSize, orientation);
        if (threePin)
            drawThreeJumper(work, drawn, TJumperState(state), look);
        else
            drawTwoJumper(work, drawn, state != 0, look);
        turnJumperImage(work, orientation, view);
        return view.image();
    };

    const QImage shown = grabbed(*jumper);
    QCOMPARE(shown.size(), (QSizeF(size) * dpr).toSize());
    QCOMPARE(shown, drawing((QSizeF(size) * dpr).toSize()));
    if (dpr > 1)
        QVERIFY(shown != nearestUpscale(drawing(size), dpr));
}

void TestHighDpi::ringsAreRenderedFromThePhotographAtDevicePixels()
{
    Host host;
    TBoardImage* board = addBoard(host.window);
    auto* ring = new TBoardHighlight(board);
    ring->setGeometry(314, 77, 36, 54);
    QVERIFY(host.show());

    const qreal dpr = askedScale();
    const auto rendered = [](const QImage& picture, const QRect& place) {
        QImage ring = picture.copy(place);
        RenderRing(ring, 0x00FFFF, 0.5f, false); // the idle settings ring
        return ring;
    };
    const QRect place = QRectF(QPointF(ring->pos()) * dpr, QSizeF(ring->size()) * dpr).toRect();
    const QImage shown = grabbed(*ring);
    QCOMPARE(shown, rendered(pictureAt(dpr), place));
    if (dpr > 1)
        QVERIFY(shown != nearestUpscale(rendered(pictureAt(1), ring->geometry()), dpr));
}

void TestHighDpi::photographIsScaledOnceToDevicePixels()
{
    Host host;
    TBoardImage* board = addBoard(host.window);
    QVERIFY(host.show());

    const qreal dpr = askedScale();
    const QImage shown = grabbed(*board);
    QCOMPARE(shown, pictureAt(dpr));
    if (dpr > 1)
        QVERIFY(shown != nearestUpscale(pictureAt(1), dpr));
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
