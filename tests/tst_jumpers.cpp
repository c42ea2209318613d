// Jumper widgets: the drawings against their worked sizes, the orientation turns, the
// size swap, the setter rules, the click steps and the mouse.

#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "toolkit/MessageBox.h"

#include <QTest>
#include <cmath>
#include <optional>
#include <stdexcept>

using namespace Setup;

namespace {

constexpr TColor kBackground = 0x204060;
constexpr TColor kGrey = 0x808080, kYellow = 0x00FFFF, kDarkRed = 0x000080;

// One shape of an expected drawing. corner 0 is a plain rectangle, -1 an ellipse filling
// the box; outline is the pen colour, none for a clear pen.
struct Shape
{
    QRect box;
    int corner;
    TColor fill;
    std::optional<TColor> outline;
};
using Shapes = QList<Shape>;

Shape rect(int x1, int y1, int x2, int y2, TColor fill, std::optional<TColor> outline)
{
    return {QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), 0, fill, outline};
}
Shape body(int x1, int y1, int x2, int y2, int corner, TColor outline)
{
    return {QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), corner, kGrey, outline};
}
Shape pin(int x1, int y1, int x2, int y2) { return {QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), -1, kYellow, {}}; }

// Whether a pixel centre lies in the ellipse of a corner, grown (or shrunk) by grow pixels.
bool inCorner(QPointF p, QPointF centre, double rx, double ry, double grow)
{
    if (rx + grow <= 0 || ry + grow <= 0)
        return false;
    const double dx = (p.x() - centre.x()) / (rx + grow), dy = (p.y() - centre.y()) / (ry + grow);
    return dx * dx + dy * dy <= 1.0;
}

enum class Cover { Out, Exact, Unsure };

// How a shape covers pixel (x, y). Straight edges and insides are exact; in the corner
// squares any rasteriser may differ by up to half a pixel from the true outline.
Cover cover(const Shape& s, int x, int y, QList<TColor>& allowed)
{
    if (!s.box.contains(x, y))
        return Cover::Out;
    const bool ring = x == s.box.left() || x == s.box.right() || y == s.box.top() || y == s.box.bottom();
    const double rx = (s.corner < 0 ? s.box.width() : s.corner) / 2.0;
    const double ry = (s.corner < 0 ? s.box.height() : s.corner) / 2.0;
    const int squareW = int(std::ceil(rx)), squareH = int(std::ceil(ry));
    const bool nearX = x < s.box.left() + squareW || x > s.box.right() - squareW;
    const bool nearY = y < s.box.top() + squareH || y > s.box.bottom() - squareH;
    if (s.corner == 0 || !nearX || !nearY) {
        allowed << (ring && s.outline ? *s.outline : s.fill);
        return Cover::Exact;
    }
    const QPointF p(x + 0.5, y + 0.5);
    const QRectF area(s.box);
    const QPointF centre(p.x() < area.center().x() ? area.left() + rx : area.right() - rx,
                         p.y() < area.center().y() ? area.top() + ry : area.bottom() - ry);
    if (inCorner(p, centre, rx, ry, s.outline ? -1.5 : -0.5)) {
        allowed << s.fill;
        return Cover::Exact;
    }
    if (!inCorner(p, centre, rx, ry, 0.5))
        return Cover::Out;
    allowed << s.fill;
    if (s.outline)
        allowed << *s.outline;
    return Cover::Unsure;
}

// Compares every pixel with the shapes drawn in order over the background; returns the
// first difference, or an empty string.
QString compareDrawing(const TOffscreenImage& image, QSize size, const Shapes& shapes)
{
    if (image.width() != size.width() || image.height() != size.height())
        return QString("image is %1 x %2").arg(image.width()).arg(image.height());
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            QList<TColor> allowed;
            Cover c = Cover::Out;
            for (auto s = shapes.rbegin(); s != shapes.rend() && c != Cover::Exact; ++s)
                c = cover(*s, x, y, allowed);
            if (c != Cover::Exact)
                allowed << kBackground;
            if (!allowed.contains(image.pixel(x, y)))
                return QString("pixel (%1, %2) is %3").arg(x).arg(y).arg(image.pixel(x, y), 6, 16, QChar('0'));
        }
    return {};
}

TJumperLook look(TBorderStyle border = bsSingle)
{
    TJumperLook l;
    l.Background = kBackground;
    l.BorderStyle = border;
    return l;
}

// Runs of pin colour along one row, as (first, last) columns.
QList<QPair<int, int>> pinRuns(const TOffscreenImage& image, int row)
{
    QList<QPair<int, int>> runs;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixel(x, row) != kYellow)
            continue;
        if (!runs.isEmpty() && runs.last().second == x - 1)
            runs.last().second = x;
        else
            runs.append({x, x});
    }
    return runs;
}

// A shown top-level window holding the widget under test and a second widget whose
// repaint serves as a barrier: once it has painted, every repaint requested before has run.
class Stage
{
public:
    Stage()
    {
        host.resize(200, 200);
        barrier.setGeometry(150, 150, 20, 20);
        barrier.installEventFilter(&counter);
    }

    bool show()
    {
        host.show();
        if (!QTest::qWaitForWindowExposed(&host))
            return false;
        settle();
        return true;
    }

    // Paint events the widget received while the action and the repaints it asked for ran.
    int paintsDuring(QWidget& widget, const std::function<void()>& action)
    {
        settle();
        counter.counts.clear();
        widget.installEventFilter(&counter);
        action();
        settle();
        widget.removeEventFilter(&counter);
        return counter.counts.value(&widget);
    }

    void settle()
    {
        const int before = counter.counts.value(&barrier);
        barrier.update();
        QTRY_VERIFY(counter.counts.value(&barrier) > before);
    }

    QWidget host;

private:
    struct PaintCounter : QObject
    {
        QHash<QObject*, int> counts;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                ++counts[watched];
            return false;
        }
    } counter;
    QWidget barrier{&host};
};

QImage grabbed(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

} // namespace

Q_DECLARE_METATYPE(Shapes)

class TDerivedPanel : public TRadioPanel
{
    Q_OBJECT
public:
    using TRadioPanel::TRadioPanel;
};

class TestJumpers : public QObject
{
    Q_OBJECT

private slots:
    void drawingsMatchTheWorkedSizes_data();
    void drawingsMatchTheWorkedSizes();
    void pinRadiiRoundHalvesToEven_data();
    void pinRadiiRoundHalvesToEven();
    void turnsPutTheLeftEndWhereTheOrientationSays_data();
    void turnsPutTheLeftEndWhereTheOrientationSays();
    void paintShowsTheTurnedDrawingOnTheParentsBackground_data();
    void paintShowsTheTurnedDrawingOnTheParentsBackground();
    void sizeSwapsOnlyAfterTheFirstPaint_data();
    void sizeSwapsOnlyAfterTheFirstPaint();
    void newWidgetsHaveTheirDefaults();
    void settersRepaintOnlyOnAcceptedChanges_data();
    void settersRepaintOnlyOnAcceptedChanges();
    void forbiddingOpenMovesAnOpenJumperLeft();
    void threePinClicksCycle_data();
    void threePinClicksCycle();
    void twoPinClickFlipsOutsideARadioPanel();
    void mouseMakesOneStepPerClick_data();
    void mouseMakesOneStepPerClick();
    void errorInClickHandlerIsShownNotThrown();
};

void TestJumpers::drawingsMatchTheWorkedSizes_data()
{
    QTest::addColumn<int>("pins");
    QTest::addColumn<int>("state"); // Closed for two pins, JumperState for three
    QTest::addColumn<int>("border");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Shapes>("shapes");

    const Shapes twoPins{pin(8, 6, 14, 12), pin(20, 6, 26, 12)};
    const Shapes threePins{pin(7, 6, 13, 12), pin(18, 6, 24, 12), pin(30, 6, 36, 12)};
    const Shape threeBody = body(1, 1, 42, 17, 9, clBlack);

    QTest::newRow("two-pin open") << 2 << 0 << int(bsSingle) << QSize(34, 18)
                                  << (Shapes{body(1, 1, 33, 17, 9, clBlack)} + twoPins);
    QTest::newRow("two-pin closed") << 2 << 1 << int(bsSingle) << QSize(34, 18)
                                    << (Shapes{rect(0, 0, 34, 18, kDarkRed, clBlack)} + twoPins);
    QTest::newRow("two-pin open, no border") << 2 << 0 << int(bsNone) << QSize(34, 18)
                                             << (Shapes{body(1, 1, 33, 17, 9, kGrey)} + twoPins);
    QTest::newRow("two-pin closed, no border: no black at all")
        << 2 << 1 << int(bsNone) << QSize(34, 18) << (Shapes{rect(0, 0, 34, 18, kDarkRed, kDarkRed)} + twoPins);
    QTest::newRow("three-pin open") << 3 << int(jsOpen) << int(bsSingle) << QSize(43, 18)
                                    << (Shapes{threeBody} + threePins);
    QTest::newRow("three-pin left") << 3 << int(jsLeft) << int(bsSingle) << QSize(43, 18)
                                    << (Shapes{threeBody, rect(0, 0, 27, 18, kDarkRed, clBlack)} + threePins);
    QTest::newRow("three-pin right") << 3 << int(jsRight) << int(bsSingle) << QSize(43, 18)
                                     << (Shapes{threeBody, rect(15, 0, 43, 18, kDarkRed, clBlack)} + threePins);
    QTest::newRow("three-pin right, no border: the cap keeps its outline")
        << 3 << int(jsRight) << int(bsNone) << QSize(43, 18)
        << (Shapes{body(1, 1, 42, 17, 9, kGrey), rect(15, 0, 43, 18, kDarkRed, clBlack)} + threePins);
    QTest::newRow("three-pin of 10 x 6 has no pins")
        << 3 << int(jsOpen) << int(bsSingle) << QSize(10, 6) << Shapes{body(1, 1, 9, 5, 3, clBlack)};
    QTest::newRow("two-pin of no width draws nothing") << 2 << 1 << int(bsSingle) << QSize(0, 18) << Shapes{};
}

void TestJumpers::drawingsMatchTheWorkedSizes()
{
    QFETCH(int, pins);
    QFETCH(int, state);
    QFETCH(int, border);
    QFETCH(QSize, size);
    QFETCH(Shapes, shapes);

    TOffscreenImage image;
    if (pins == 2)
        drawTwoJumper(image, size, state != 0, look(TBorderStyle(border)));
    else
        drawThreeJumper(image, size, TJumperState(state), look(TBorderStyle(border)));
    const QSize drawn = size.isEmpty() ? QSize(0, 0) : size;
    QCOMPARE(compareDrawing(image, drawn, shapes), QString());
}

void TestJumpers::pinRadiiRoundHalvesToEven_data()
{
    QTest::addColumn<int>("pins");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("radius");
    QTest::addColumn<QList<int>>("centres");

    // round(18 / 4) = 4, not 5, on both; a div 3 = 5 would allow 5.
    QTest::newRow("two-pin 60 x 18") << 2 << QSize(60, 18) << 4 << QList<int>{18, 42};
    QTest::newRow("three-pin 70 x 20") << 3 << QSize(70, 20) << 4 << QList<int>{16, 35, 54};
    QTest::newRow("two-pin 34 x 18") << 2 << QSize(34, 18) << 3 << QList<int>{11, 23};
    QTest::newRow("three-pin 43 x 18") << 3 << QSize(43, 18) << 3 << QList<int>{10, 21, 33};
    QTest::newRow("three-pin 10 x 6") << 3 << QSize(10, 6) << 0 << QList<int>{};
}

void TestJumpers::pinRadiiRoundHalvesToEven()
{
    QFETCH(int, pins);
    QFETCH(QSize, size);
    QFETCH(int, radius);
    QFETCH(QList<int>, centres);

    TOffscreenImage image;
    if (pins == 2)
        drawTwoJumper(image, size, false, look());
    else
        drawThreeJumper(image, size, jsOpen, look());

    // The row below the centre line crosses each pin at its full width of 2r pixels.
    QList<QPair<int, int>> expected;
    for (int c : centres)
        expected.append({c - radius, c + radius - 1});
    QCOMPARE(pinRuns(image, size.height() / 2), expected);
    for (int y = 0; y < size.height(); ++y)
        QVERIFY(pinRuns(image, y).size() <= centres.size());
}

void TestJumpers::turnsPutTheLeftEndWhereTheOrientationSays_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<QSize>("viewSize");
    QTest::addColumn<QPoint>("leftPin");
    QTest::addColumn<QPoint>("middlePin");
    QTest::addColumn<QPoint>("rightPin");
    QTest::addColumn<QPoint>("besideLeft");
    QTest::addColumn<QPoint>("besideMiddle");
    QTest::addColumn<QPoint>("besideRight");
    QTest::addColumn<QPoint>("topLeftCorner");
    QTest::addColumn<QPoint>("topRightCorner");

    // A 43 x 18 drawing with its cap on the left: pins at x = 10, 21, 33 on row 9; the
    // points beside them lie on row 3; the drawing's corner (0, 0) is the cap's outline,
    // its corner (42, 0) lies outside the rounded body.
    QTest::newRow("up: a plain copy") << int(otUp) << QSize(43, 18) << QPoint(10, 9) << QPoint(21, 9)
                                      << QPoint(33, 9) << QPoint(10, 3) << QPoint(21, 3) << QPoint(33, 3)
                                      << QPoint(0, 0) << QPoint(42, 0);
    QTest::newRow("down: the cap on the right") << int(otDown) << QSize(43, 18) << QPoint(32, 8) << QPoint(21, 8)
                                                << QPoint(9, 8) << QPoint(32, 14) << QPoint(21, 14)
                                                << QPoint(9, 14) << QPoint(42, 17) << QPoint(0, 17);
    QTest::newRow("left: the cap over the bottom and middle pins")
        << int(otLeft) << QSize(18, 43) << QPoint(9, 32) << QPoint(9, 21) << QPoint(9, 9) << QPoint(3, 32)
        << QPoint(3, 21) << QPoint(3, 9) << QPoint(0, 42) << QPoint(0, 0);
    QTest::newRow("right: the cap over the top and middle pins")
        << int(otRight) << QSize(18, 43) << QPoint(8, 10) << QPoint(8, 21) << QPoint(8, 33) << QPoint(14, 10)
        << QPoint(14, 21) << QPoint(14, 33) << QPoint(17, 0) << QPoint(17, 42);
}

void TestJumpers::turnsPutTheLeftEndWhereTheOrientationSays()
{
    QFETCH(int, orientation);
    QFETCH(QSize, viewSize);
    QFETCH(QPoint, leftPin);
    QFETCH(QPoint, middlePin);
    QFETCH(QPoint, rightPin);
    QFETCH(QPoint, besideLeft);
    QFETCH(QPoint, besideMiddle);
    QFETCH(QPoint, besideRight);
    QFETCH(QPoint, topLeftCorner);
    QFETCH(QPoint, topRightCorner);

    // The widget a layout gives this orientation: 18 x 43 when it stands upright.
    const QSize widget = orientation >= otLeft ? QSize(18, 43) : QSize(43, 18);
    const QSize drawing = jumperDrawingSize(widget, TOrientationType(orientation));
    QCOMPARE(drawing, QSize(43, 18));
    TOffscreenImage work, view;
    drawThreeJumper(work, drawing, jsLeft, look());
    turnJumperImage(work, TOrientationType(orientation), view);

    QCOMPARE(QSize(view.width(), view.height()), viewSize);
    const auto at = [&](QPoint p) { return view.pixel(p.x(), p.y()); };
    QCOMPARE(at(leftPin), kYellow);
    QCOMPARE(at(middlePin), kYellow);
    QCOMPARE(at(rightPin), kYellow);
    QCOMPARE(at(besideLeft), kDarkRed);
    QCOMPARE(at(besideMiddle), kDarkRed);
    QCOMPARE(at(besideRight), kGrey);
    QCOMPARE(at(topLeftCorner), clBlack);
    QCOMPARE(at(topRightCorner), kBackground);
}

void TestJumpers::paintShowsTheTurnedDrawingOnTheParentsBackground_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<bool>("panelColour");

    QTest::newRow("radio panel") << "TRadioPanel" << true;
    QTest::newRow("other container with its own colour") << "QWidget" << false;
    QTest::newRow("class derived from the radio panel") << "TDerivedPanel" << false;
}

void TestJumpers::paintShowsTheTurnedDrawingOnTheParentsBackground()
{
    QFETCH(QString, parent);
    QFETCH(bool, panelColour);

    constexpr TColor colour = 0x30C020;
    std::unique_ptr<QWidget> container;
    if (parent == "QWidget") {
        container = std::make_unique<QWidget>();
        QPalette palette;
        palette.setColor(QPalette::Window, QColor(toQRgb(colour)));
        container->setPalette(palette);
        container->setAutoFillBackground(true);
    } else {
        auto* panel = parent == "TRadioPanel" ? new TRadioPanel : new TDerivedPanel;
        panel->setColor(colour);
        container.reset(panel);
    }
    auto* jumper = new TThreeJumper(container.get());
    jumper->resize(18, 43);
    jumper->setOrientation(otLeft);
    jumper->setJumperState(jsLeft);

    TJumperLook expectedLook;
    expectedLook.Background = panelColour ? colour : resolveColor(clBtnFace);
    TOffscreenImage work, view;
    drawThreeJumper(work, QSize(43, 18), jsLeft, expectedLook);
    turnJumperImage(work, otLeft, view);
    QCOMPARE(grabbed(*jumper), view.image());
    QCOMPARE(jumper->size(), QSize(18, 43));
}

void TestJumpers::sizeSwapsOnlyAfterTheFirstPaint_data()
{
    QTest::addColumn<bool>("paintedFirst");
    QTest::addColumn<QList<int>>("orientations");
    QTest::addColumn<QSize>("sizeAfter");

    QTest::newRow("up to down keeps the size") << true << QList<int>{otDown} << QSize(34, 18);
    QTest::newRow("up to left swaps at the next paint") << true << QList<int>{otLeft} << QSize(18, 34);
    QTest::newRow("left then right is one swap") << true << QList<int>{otLeft, otRight} << QSize(18, 34);
    // Two changes of axis between paints cancel out; a swap here would leave a horizontal
    // jumper in an upright box.
    QTest::newRow("left and back to up keeps the size") << true << QList<int>{otLeft, otUp} << QSize(34, 18);
    QTest::newRow("never painted: left keeps the size") << false << QList<int>{otLeft} << QSize(34, 18);
}

void TestJumpers::sizeSwapsOnlyAfterTheFirstPaint()
{
    QFETCH(bool, paintedFirst);
    QFETCH(QList<int>, orientations);
    QFETCH(QSize, sizeAfter);

    Stage stage;
    auto* jumper = new TTwoJumper(&stage.host);
    if (paintedFirst)
        QVERIFY(stage.show());
    for (int o : orientations)
        jumper->setOrientation(TOrientationType(o));
    QCOMPARE(jumper->size(), QSize(34, 18)); // the setter never resizes
    if (!paintedFirst)
        QVERIFY(stage.show());
    QVERIFY(stage.paintsDuring(*jumper, [&] { jumper->update(); }) > 0);
    QCOMPARE(jumper->size(), sizeAfter);
    // Later paints keep the size and show the drawing turned for it.
    stage.settle();
    QCOMPARE(jumper->size(), sizeAfter);
    TOffscreenImage work, view;
    TJumperLook expected;
    expected.Background = resolveColor(clBtnFace);
    drawTwoJumper(work, jumperDrawingSize(sizeAfter, TOrientationType(orientations.last())), false, expected);
    turnJumperImage(work, TOrientationType(orientations.last()), view);
    QCOMPARE(grabbed(*jumper), view.image());
}

void TestJumpers::newWidgetsHaveTheirDefaults()
{
    TTwoJumper two;
    TThreeJumper three;
    QCOMPARE(two.size(), QSize(34, 18));
    QCOMPARE(three.size(), QSize(43, 18));
    QCOMPARE(two.closed(), false);
    QCOMPARE(three.jumperState(), jsOpen);
    QCOMPARE(three.allowOpen(), true);
    for (QWidget* w : {static_cast<QWidget*>(&two), static_cast<QWidget*>(&three)}) {
        QCOMPARE(w->property("BaseColor").value<TColor>(), kGrey);
        QCOMPARE(w->property("PinColor").value<TColor>(), kYellow);
        QCOMPARE(w->property("JumperColor").value<TColor>(), kDarkRed);
        QCOMPARE(w->property("Orientation").value<TOrientationType>(), otUp);
        QCOMPARE(w->property("BorderStyle").value<TBorderStyle>(), bsSingle);
        QVERIFY(!w->property("OnClick").value<TNotifyEvent>().assigned());
    }
}

void TestJumpers::settersRepaintOnlyOnAcceptedChanges_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("repaints");

    const auto both = [](const char* name, const char* property, QVariant same, QVariant other) {
        for (const char* widget : {"TTwoJumper", "TThreeJumper"}) {
            QTest::addRow("%s %s unchanged", widget, name) << widget << QByteArray(property) << same << same << false;
            QTest::addRow("%s %s changed", widget, name) << widget << QByteArray(property) << other << other << true;
        }
    };
    both("base colour", "BaseColor", QVariant::fromValue(kGrey), QVariant::fromValue(TColor(0x0000FF)));
    both("pin colour", "PinColor", QVariant::fromValue(kYellow), QVariant::fromValue(TColor(0xFF0000)));
    both("jumper colour", "JumperColor", QVariant::fromValue(kDarkRed), QVariant::fromValue(TColor(0x00FF00)));
    both("border", "BorderStyle", QVariant::fromValue(bsSingle), QVariant::fromValue(bsNone));
    both("orientation", "Orientation", QVariant::fromValue(otUp), QVariant::fromValue(otDown));
    QTest::newRow("two-pin closed") << "TTwoJumper" << QByteArray("Closed") << QVariant(true) << QVariant(true) << true;
    QTest::newRow("two-pin already open") << "TTwoJumper" << QByteArray("Closed") << QVariant(false) << QVariant(false)
                                        << false;
    QTest::newRow("three-pin right") << "TThreeJumper" << QByteArray("JumperState") << QVariant::fromValue(jsRight)
                                     << QVariant::fromValue(jsRight) << true;
    QTest::newRow("three-pin already open") << "TThreeJumper" << QByteArray("JumperState")
                                          << QVariant::fromValue(jsOpen) << QVariant::fromValue(jsOpen) << false;
    QTest::newRow("three-pin may not open")
        << "TThreeJumper/closed" << QByteArray("JumperState") << QVariant::fromValue(jsOpen)
        << QVariant::fromValue(jsLeft) << false;
    QTest::newRow("three-pin allow open unchanged") << "TThreeJumper" << QByteArray("AllowOpen") << QVariant(true)
                                                    << QVariant(true) << false;
}

void TestJumpers::settersRepaintOnlyOnAcceptedChanges()
{
    QFETCH(QString, widget);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, value);
    QFETCH(QVariant, stored);
    QFETCH(bool, repaints);

    Stage stage;
    QWidget* jumper = widget == "TTwoJumper" ? static_cast<QWidget*>(new TTwoJumper(&stage.host))
                                             : static_cast<QWidget*>(new TThreeJumper(&stage.host));
    if (widget == "TThreeJumper/closed") {
        static_cast<TThreeJumper*>(jumper)->setAllowOpen(false);
        QCOMPARE(static_cast<TThreeJumper*>(jumper)->jumperState(), jsLeft);
    }
    int clicks = 0;
    jumper->setProperty("OnClick", QVariant::fromValue(TNotifyEvent([&](QObject*) { ++clicks; })));
    QVERIFY(stage.show());

    const int paints = stage.paintsDuring(*jumper, [&] { QVERIFY(jumper->setProperty(property, value)); });
    QCOMPARE(jumper->property(property), stored);
    QCOMPARE(paints > 0, repaints);
    QCOMPARE(clicks, 0);
}

void TestJumpers::forbiddingOpenMovesAnOpenJumperLeft()
{
    TThreeJumper jumper;
    int clicks = 0;
    jumper.setOnClick([&](QObject*) { ++clicks; });
    jumper.setAllowOpen(false);
    QCOMPARE(jumper.jumperState(), jsLeft);
    jumper.setJumperState(jsRight);
    jumper.setAllowOpen(true);
    QCOMPARE(jumper.jumperState(), jsRight);
    jumper.setJumperState(jsOpen);
    QCOMPARE(jumper.jumperState(), jsOpen);
    QCOMPARE(clicks, 0);
}

void TestJumpers::threePinClicksCycle_data()
{
    QTest::addColumn<bool>("allowOpen");
    QTest::addColumn<QList<int>>("states");

    QTest::newRow("open allowed") << true << QList<int>{jsLeft, jsRight, jsOpen, jsLeft};
    QTest::newRow("open forbidden") << false << QList<int>{jsRight, jsLeft, jsRight, jsLeft};
}

void TestJumpers::threePinClicksCycle()
{
    QFETCH(bool, allowOpen);
    QFETCH(QList<int>, states);

    TThreeJumper jumper;
    jumper.setAllowOpen(allowOpen);
    QList<int> seen; // the state each OnClick saw
    jumper.setOnClick([&](QObject* sender) {
        QCOMPARE(sender, &jumper);
        seen.append(jumper.jumperState());
    });
    for (int i = 0; i < states.size(); ++i)
        jumper.Click();
    QCOMPARE(seen, states);
}

void TestJumpers::twoPinClickFlipsOutsideARadioPanel()
{
    QWidget container;
    auto* jumper = new TTwoJumper(&container);
    auto* sibling = new TTwoJumper(&container);
    sibling->setClosed(true);
    QList<bool> seen;
    jumper->setOnClick([&](QObject* sender) {
        QCOMPARE(sender, jumper);
        seen.append(jumper->closed());
    });
    jumper->Click();
    jumper->Click();
    QCOMPARE(seen, (QList<bool>{true, false}));
    QVERIFY(sibling->closed());
}

void TestJumpers::mouseMakesOneStepPerClick_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("steps");

    QTest::newRow("click") << "click" << true << 1;
    QTest::newRow("double click") << "double" << true << 1;
    QTest::newRow("two clicks") << "twice" << true << 2;
    QTest::newRow("released outside") << "drag out" << true << 0;
    QTest::newRow("right button") << "right" << true << 0;
    QTest::newRow("disabled") << "click" << false << 0;
    QTest::newRow("disabled, double click") << "double" << false << 0;
}

void TestJumpers::mouseMakesOneStepPerClick()
{
    QFETCH(QString, gesture);
    QFETCH(bool, enabled);
    QFETCH(int, steps);

    Stage stage;
    auto* two = new TTwoJumper(&stage.host);
    auto* three = new TThreeJumper(&stage.host);
    three->move(0, 40);
    QVERIFY(stage.show());
    QWindow* window = stage.host.windowHandle();

    for (QWidget* jumper : {static_cast<QWidget*>(two), static_cast<QWidget*>(three)}) {
        jumper->setEnabled(enabled);
        int clicks = 0;
        jumper->setProperty("OnClick", QVariant::fromValue(TNotifyEvent([&](QObject*) { ++clicks; })));
        const QPoint inside = jumper->mapTo(&stage.host, QPoint(5, 5));
        if (gesture == "click") {
            QTest::mouseClick(window, Qt::LeftButton, {}, inside);
        } else if (gesture == "double") {
            QTest::mouseDClick(window, Qt::LeftButton, {}, inside);
        } else if (gesture == "twice") {
            QTest::mouseClick(window, Qt::LeftButton, {}, inside);
            QTest::mouseClick(window, Qt::LeftButton, {}, inside);
        } else if (gesture == "drag out") {
            QTest::mousePress(window, Qt::LeftButton, {}, inside);
            QTest::mouseRelease(window, Qt::LeftButton, {}, jumper->mapTo(&stage.host, QPoint(5, 25)));
        } else {
            QTest::mouseClick(window, Qt::RightButton, {}, inside);
        }
        QCOMPARE(clicks, steps);
    }
    QCOMPARE(two->closed(), steps % 2 == 1);
    QCOMPARE(three->jumperState(), steps == 0 ? jsOpen : steps == 1 ? jsLeft : jsRight);
}

void TestJumpers::errorInClickHandlerIsShownNotThrown()
{
    QStringList shown;
    MessageBox::setHandler([&](const QString& text, const QString&, unsigned) {
        shown << text;
        return int(MessageBox::IDOK);
    });
    Stage stage;
    auto* jumper = new TTwoJumper(&stage.host);
    jumper->setOnClick([](QObject*) { throw std::runtime_error("handler failed"); });
    QVERIFY(stage.show());
    QTest::mouseClick(stage.host.windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    MessageBox::setHandler({});
    QCOMPARE(shown, QStringList{"handler failed"});
    QVERIFY(jumper->closed());
}

QTEST_MAIN(TestJumpers)
#include "tst_jumpers.moc"
