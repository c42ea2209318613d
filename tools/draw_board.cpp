// Draws the photograph of the VT-4400 card that the board page shows, and writes it as
// resources/board.jpg. The jumper fields sit exactly under the page's highlight circles,
// with every jumper in its factory position. Run: draw_board <output.jpg>

#include "BoardParts.h"
#include "JpegWriter.h"
#include "Photo.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

using parts::kPitch;

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 598;
constexpr quint32 kSeed = 4400;
constexpr qsizetype kTargetBytes = 100 * 1024;

const QColor kMask(22, 98, 50);
const QColor kTrace(40, 128, 64);

// A highlight rectangle of the page (in the 400 x 399 picture) and its centre here.
QPointF ringCentre(double left, double top, double width, double height)
{
    const double scale = 1.5; // 600 x 598 shown as 400 x 399
    return {(left + width / 2) * scale, (top + height / 2) * scale};
}

// Centre of the top-left pin of a cols x rows field centred on c.
QPointF firstPin(QPointF c, int cols, int rows)
{
    return c - QPointF((cols - 1) * kPitch / 2, (rows - 1) * kPitch / 2);
}

QPointF pinAt(QPointF first, int col, int row)
{
    return first + QPointF(col * kPitch, row * kPitch);
}

// Two-pin jumpers stacked in rows (pins side by side), a cap on each closed row.
QPointF twoPinStack(QPainter& p, QPointF centre, const std::vector<bool>& closed)
{
    const int rows = int(closed.size());
    const QPointF first = firstPin(centre, 2, rows);
    parts::pinHeader(p, first, 2, rows);
    for (int r = 0; r < rows; ++r)
        if (closed[std::size_t(r)])
            parts::shunt(p, pinAt(first, 0, r), pinAt(first, 1, r));
    return first;
}

// A trace through the given points.
void trace(QPainter& p, const std::vector<QPointF>& points, double width = 2.4)
{
    QPainterPath path(points.front());
    for (std::size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kMask.darker(122), width + 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path.translated(0.5, 0.6));
    p.setPen(QPen(kTrace, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// A trace along horizontal and vertical waypoints, its corners cut at 45 degrees.
void manhattan(QPainter& p, const std::vector<QPointF>& corners, double width = 2.4)
{
    std::vector<QPointF> points{corners.front()};
    for (std::size_t i = 1; i + 1 < corners.size(); ++i) {
        const QPointF in = corners[i] - corners[i - 1], out = corners[i + 1] - corners[i];
        const double lin = std::hypot(in.x(), in.y()), lout = std::hypot(out.x(), out.y());
        const double cut = std::min({5.0, lin / 2, lout / 2});
        points.push_back(corners[i] - in * (cut / lin));
        points.push_back(corners[i] + out * (cut / lout));
    }
    points.push_back(corners.back());
    trace(p, points, width);
}

// Runs along one axis to `bend`, crosses over at 45 degrees, then straight on to b. When
// the offset is too wide for a 45 degree crossing the run is a plain diagonal.
void route(QPainter& p, QPointF a, QPointF b, double bend, bool verticalFirst)
{
    const QPointF d = b - a;
    const double along = verticalFirst ? d.y() : d.x();
    const double across = std::abs(verticalFirst ? d.x() : d.y());
    if (across > std::abs(along)) {
        trace(p, {a, b});
        return;
    }
    const double dir = along >= 0 ? 1 : -1;
    const double start = verticalFirst ? a.y() : a.x();
    const double end = (verticalFirst ? b.y() : b.x()) - dir * across;
    const double at = std::clamp(bend, std::min(start, end), std::max(start, end));
    if (verticalFirst)
        trace(p, {a, {a.x(), at}, {b.x(), at + dir * across}, b});
    else
        trace(p, {a, {at, a.y()}, {at + dir * across, b.y()}, b});
}

// n parallel traces; the i-th runs from a + i*stepA to b + i*stepB.
void bus(QPainter& p, int n, QPointF a, QPointF stepA, QPointF b, QPointF stepB, double bend,
         bool verticalFirst)
{
    for (int i = 0; i < n; ++i)
        route(p, a + i * stepA, b + i * stepB, bend, verticalFirst);
}

// Short escape traces from some pins of a part to vias, as the bottom layer takes over.
void fanOut(QPainter& p, std::mt19937& rng, QPointF first, QPointF step, int n, QPointF stub)
{
    std::bernoulli_distribution take(0.55);
    for (int i = 0; i < n; ++i) {
        if (!take(rng))
            continue;
        const QPointF a = first + i * step;
        trace(p, {a, a + stub}, 2.0);
        parts::via(p, a + stub);
    }
}

void drawBoardBlank(QPainter& p)
{
    p.fillRect(QRectF(0, 0, kWidth, kHeight), QColor(34, 34, 36));
    QPainterPath board;
    board.addRoundedRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1), 16, 16);
    p.setPen(QPen(QColor(96, 150, 96), 1.5));
    p.setBrush(kMask);
    p.drawPath(board);
}

void drawTraces(QPainter& p, std::mt19937& rng)
{
    // Digital I/O header down to the two pull-up networks.
    bus(p, 12, {174.75, 46.5}, {12, 0}, {156, 84}, {12, 0}, 60, true);
    bus(p, 12, {330.75, 46.5}, {12, 0}, {296, 84}, {12, 0}, 48, true);
    // 8255 ports to the two buffers.
    bus(p, 5, {316, 130}, {0, 6}, {364, 122}, {0, 4}, 334, false);
    bus(p, 5, {316, 166}, {0, 6}, {364, 176}, {0, 4}, 334, false);
    // Bus connector J1 to the base address and interrupt jumpers.
    bus(p, 5, {566, 126}, {0, 12}, {504, 132}, {0, 12}, 540, false);
    bus(p, 5, {566, 210}, {0, 12}, {496.5, 218.25}, {0, 12}, 540, false);
    bus(p, 5, {566, 306}, {0, 12}, {504, 315}, {0, 12}, 540, false);
    // Base address jumpers to the address comparator.
    for (int i = 0; i < 5; ++i) {
        const double y = 132 + 12 * i, x = 462 - 4 * i;
        manhattan(p, {{486, y}, {x, y}, {x, 228.0 + 6 * i}, {436, 228.0 + 6 * i}});
    }
    // Comparator to the 8255's chip select corner.
    bus(p, 4, {420, 236}, {0, 6}, {300, 196}, {0, 4}, 360, false);
    // Mode 1 inversion jumpers to the 8255.
    for (int c = 0; c < 3; ++c) {
        const double x = 63.75 + 12 * c, y = 170.0 - 6 * c;
        manhattan(p, {{x, 191.25}, {x, y}, {220, y}});
    }
    manhattan(p, {{108, 116.25}, {148, 116.25}, {148, 140}, {220, 140}});
    // Counter/timer header to the 82C54, and the analog inputs to the reference corner.
    for (int j = 0; j < 7; ++j)
        route(p, {282.0 + 12 * j, 551.25}, {312.0 + 6 * j, 470}, 500, true);
    for (int j = 0; j < 4; ++j)
        route(p, {126.0 + 12 * j, 551.25}, {180.0 + 4 * j, 462}, 520, true);
    // Oscillator to the counter clock inputs.
    bus(p, 3, {250, 420}, {0, 6}, {300, 426}, {0, 6}, 270, false);
    // DAC outputs to the range jumpers, and the jumpers to the output amplifiers.
    manhattan(p, {{30, 326}, {30, 290}, {80, 290}, {80, 249}, {104, 249}});
    manhattan(p, {{66, 326}, {66, 314}, {101, 314}});
    manhattan(p, {{66, 354}, {66, 368}, {100, 368}});
    manhattan(p, {{30, 354}, {30, 400}, {80, 400}, {80, 432}, {101, 432}});
    const double groups[] = {249, 314.25, 368.25, 432};
    const double amps[] = {296, 304, 376, 384};
    for (int g = 0; g < 4; ++g)
        manhattan(p, {{122, groups[g]}, {150.0 + 4 * (g % 2), groups[g]},
                      {150.0 + 4 * (g % 2), amps[g]}, {178, amps[g]}});
    // +/-12V: JP20 takes it from the bus (left) or from P6 pins 4 and 6 (right).
    manhattan(p, {{561, 425.25}, {552, 425.25}, {552, 378}, {566, 378}}, 3.4);
    manhattan(p, {{561, 437.25}, {546, 437.25}, {546, 390}, {566, 390}}, 3.4);
    manhattan(p, {{585, 425.25}, {595, 425.25}, {595, 486}, {569.25, 486}}, 3.4);
    manhattan(p, {{585, 437.25}, {590, 437.25}, {590, 474}, {569.25, 474}}, 3.4);
    // Escapes to the bottom layer around the larger parts.
    fanOut(p, rng, {235, 112}, {6, 0}, 11, {0, -14});
    fanOut(p, rng, {212, 130}, {0, 6}, 6, {-14, 0});
    fanOut(p, rng, {358, 422}, {0, 6}, 7, {14, 0});
    fanOut(p, rng, {40, 72}, {0, 12}, 18, {10, 0});
    fanOut(p, rng, {558, 30}, {0, 12}, 7, {-12, 0});
    fanOut(p, rng, {356, 198}, {6, 0}, 9, {0, 12});
    fanOut(p, rng, {356, 346}, {6, 0}, 9, {0, 12});
}

void drawSilkscreen(QPainter& p)
{
    parts::silk(p, {250, 246}, QStringLiteral("NORVIK"), 15, Qt::AlignHCenter, true);
    parts::silk(p, {250, 266}, QStringLiteral("VT-4400"), 19, Qt::AlignHCenter, true);
    parts::silk(p, {250, 284}, QStringLiteral("4 DAC  24 DIO  3 CTR   REV B"), 8, Qt::AlignHCenter);
    parts::silk(p, {150, 64}, QStringLiteral("J3"), 8, Qt::AlignLeft, true);
    parts::silk(p, {355, 101}, QStringLiteral("DIGITAL I/O"), 7, Qt::AlignLeft);
    parts::silk(p, {270, 526}, QStringLiteral("J4   ANALOG IN / COUNTER-TIMER"), 8, Qt::AlignHCenter);
    parts::silk(p, {574, 404}, QStringLiteral("J1"), 8, Qt::AlignHCenter);
    parts::silk(p, {24, 304}, QStringLiteral("J2"), 8, Qt::AlignHCenter);
    parts::silk(p, {252, 220}, QStringLiteral("U1"), 8, Qt::AlignLeft);
    parts::silk(p, {330, 486}, QStringLiteral("U2"), 8, Qt::AlignHCenter);
    parts::silk(p, {22, 378}, QStringLiteral("U9"), 7, Qt::AlignHCenter);
    parts::silk(p, {58, 378}, QStringLiteral("U10"), 7, Qt::AlignHCenter);
    parts::silk(p, {230, 452}, QStringLiteral("Y1"), 7, Qt::AlignHCenter);
    parts::silk(p, {150, 96}, QStringLiteral("RN1"), 7, Qt::AlignLeft);
    parts::silk(p, {410, 74}, QStringLiteral("RN2"), 7, Qt::AlignRight);
}

void drawPassives(QPainter& p)
{
    const QPointF caps[] = {{214, 108}, {318, 216}, {345, 210}, {430, 200}, {290, 408},
                            {364, 470}, {90, 330}, {90, 350}, {196, 336}, {196, 420},
                            {440, 290}, {160, 210}, {540, 500}, {536, 380}};
    for (const QPointF& c : caps)
        parts::chipPart(p, c, int(c.x()) % 2 == 0, false);
    const QPointF resistors[] = {{180, 330}, {180, 412}, {420, 320}, {404, 470}, {150, 454},
                                 {252, 476}, {440, 160}, {456, 300}};
    for (const QPointF& r : resistors)
        parts::chipPart(p, r, int(r.y()) % 3 == 0, true);
    parts::tantalum(p, {530, 420}, true);
    parts::tantalum(p, {146, 484}, false);
    parts::tantalum(p, {190, 500}, false);
    for (const QPointF& tp : {QPointF(420, 404), QPointF(436, 404), QPointF(150, 228)})
        parts::throughPad(p, tp, false);
}

void drawChips(QPainter& p)
{
    parts::plcc(p, {265, 160}, 84, 11,
                {QStringLiteral("HARRIS"), QStringLiteral("CS82C55A"), QStringLiteral("9738 E")});
    parts::plcc(p, {330, 440}, 58, 7, {QStringLiteral("CP82C54"), QStringLiteral("9741")});
    parts::smallOutline(p, {22, 340}, 32, 18, 10, true, {QStringLiteral("AD5343")});
    parts::smallOutline(p, {58, 340}, 32, 18, 10, true, {QStringLiteral("AD5343")});
    parts::smallOutline(p, {380, 130}, 58, 24, 10, false, {QStringLiteral("74HCT245")});
    parts::smallOutline(p, {380, 184}, 58, 24, 10, false, {QStringLiteral("74HCT245")});
    parts::smallOutline(p, {428, 250}, 58, 24, 10, true, {QStringLiteral("74HCT688")});
    parts::smallOutline(p, {380, 330}, 58, 24, 10, false, {QStringLiteral("PALCE16V8")});
    parts::smallOutline(p, {188, 300}, 24, 18, 4, false, {QStringLiteral("OP297")});
    parts::smallOutline(p, {188, 380}, 24, 18, 4, false, {QStringLiteral("OP297")});
    parts::smallOutline(p, {188, 456}, 24, 18, 4, false, {QStringLiteral("REF02")});
    parts::sticker(p, QRectF(364, 372, 58, 20), QStringLiteral("S/N 0417"));
    parts::oscillator(p, QRectF(208, 412, 44, 28), {QStringLiteral("1.000"), QStringLiteral("MHz")});
    parts::resistorNetwork(p, {156, 84}, 10, QStringLiteral("10K x9"));
    parts::resistorNetwork(p, {296, 84}, 10, QStringLiteral("10K x9"));
}

void drawConnectors(QPainter& p)
{
    parts::boxHeader(p, firstPin(ringCentre(88, 0, 249, 54), 25, 2), 25, 2, false);
    parts::boxHeader(p, firstPin(ringCentre(53, 344, 254, 55), 25, 2), 25, 2, true);
    parts::socketStrip(p, {568, 18}, 2, 32);
    parts::socketStrip(p, {18, 60}, 2, 20);
    // P6, the external supply connector below the +/-12V jumpers.
    const QPointF p6 = firstPin(ringCentre(364, 301, 23, 38), 2, 4);
    parts::pinHeader(p, p6, 2, 4);
    parts::silk(p, p6 + QPointF(-11, 0), QStringLiteral("1"), 7, Qt::AlignRight);
    parts::silk(p, p6 + QPointF(-11, 18), QStringLiteral("P6"), 9, Qt::AlignRight, true);
    for (QPointF hole : {QPointF(24, 26), QPointF(536, 24), QPointF(24, 574), QPointF(576, 574)})
        parts::mountingHole(p, hole, 6.5);
}

// The labelled jumper fields, in their factory positions.
void drawJumpers(QPainter& p)
{
    const auto labelRows = [&](QPointF first, const QStringList& names, double dx, int align) {
        for (int r = 0; r < names.size(); ++r)
            parts::silk(p, first + QPointF(dx, r * kPitch), names[r], 7, align);
    };
    // Base address A5 to A9: A5, A6, A7 closed.
    QPointF f = twoPinStack(p, ringCentre(314, 77, 36, 54), {true, true, true, false, false});
    labelRows(f, {"A5", "A6", "A7", "A8", "A9"}, -9, Qt::AlignRight);
    parts::silk(p, f + QPointF(6, -14), QStringLiteral("BASE"), 7, Qt::AlignHCenter);
    // IRQ 3 to 7 (IRQ 5 closed), IRQ 15 to 10 and IRQ 9.
    f = twoPinStack(p, ringCentre(311, 131, 32, 61), {false, false, true, false, false});
    labelRows(f, {"3", "4", "5", "6", "7"}, -9, Qt::AlignRight);
    parts::silk(p, f + QPointF(6, -14), QStringLiteral("IRQ"), 7, Qt::AlignHCenter);
    f = twoPinStack(p, ringCentre(319, 198, 26, 56), {false, false, false, false, false});
    labelRows(f, {"15", "14", "12", "11", "10"}, -9, Qt::AlignRight);
    f = twoPinStack(p, ringCentre(316, 315, 34, 23), {false});
    labelRows(f, {"9"}, -9, Qt::AlignRight);
    // DAC range fields: 5V and BIPOLAR closed, UNIPOLAR open on every channel. Channels A
    // and C run 5V, U, B from the top; B and D the other way round.
    const QStringList down{"5V", "U", "B"}, up{"B", "U", "5V"};
    const struct { double l, t, w, h; const char* name; bool fiveFirst; } range[] = {
        {60, 147, 27, 38, "A", true}, {59, 193, 25, 33, "B", false},
        {58, 228, 26, 35, "C", true}, {59, 269, 25, 38, "D", false}};
    for (const auto& r : range) {
        f = twoPinStack(p, ringCentre(r.l, r.t, r.w, r.h), {true, false, true});
        labelRows(f, r.fiveFirst ? down : up, 21, Qt::AlignLeft);
        parts::silk(p, f + QPointF(36, kPitch), QString::fromLatin1(r.name), 8, Qt::AlignLeft, true);
    }
    // Mode 1 inversion: JP13 across, JP2, JP1 and JP8 upright, every cap on the left pair
    // (for the upright ones, the bottom and middle pins).
    f = firstPin(ringCentre(32, 67, 48, 21), 3, 1);
    parts::pinHeader(p, f, 3, 1);
    parts::shunt(p, pinAt(f, 0, 0), pinAt(f, 1, 0));
    parts::silk(p, f + QPointF(12, -12), QStringLiteral("JP13"), 7, Qt::AlignHCenter);
    f = firstPin(ringCentre(30, 115, 41, 41), 3, 3);
    for (int c = 0; c < 3; ++c) {
        parts::pinHeader(p, pinAt(f, c, 0), 1, 3);
        parts::shunt(p, pinAt(f, c, 2), pinAt(f, c, 1));
    }
    parts::silk(p, f + QPointF(-9, kPitch), QStringLiteral("JP2"), 7, Qt::AlignRight);
    parts::silk(p, f + QPointF(kPitch, 3 * kPitch), QStringLiteral("JP1"), 7, Qt::AlignHCenter);
    parts::silk(p, f + QPointF(2 * kPitch + 9, kPitch), QStringLiteral("JP8"), 7, Qt::AlignLeft);
    // JP20, the +/-12V source: both caps on the left pair (from the bus).
    f = firstPin(ringCentre(362, 273, 40, 29), 3, 2);
    parts::pinHeader(p, f, 3, 2);
    parts::shunt(p, pinAt(f, 0, 0), pinAt(f, 1, 0));
    parts::shunt(p, pinAt(f, 0, 1), pinAt(f, 1, 1));
    parts::silk(p, f + QPointF(-9, kPitch / 2), QStringLiteral("JP20"), 7, Qt::AlignRight);
}

// Specks of dust and a stray fibre: the card was not cleaned for its portrait.
void drawDust(QPainter& p, std::mt19937& rng)
{
    std::uniform_real_distribution<double> x(0, kWidth), y(0, kHeight), r(0.4, 1.3), a(40, 150);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(QColor(225, 225, 215, int(a(rng))));
        p.drawEllipse(QPointF(x(rng), y(rng)), r(rng), r(rng));
    }
    QPainterPath fibre(QPointF(402, 520));
    fibre.cubicTo(QPointF(412, 510), QPointF(418, 530), QPointF(431, 522));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(210, 210, 200, 110), 0.7));
    p.drawPath(fibre);
}

QImage drawBoard()
{
    std::mt19937 rng(kSeed);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        drawBoardBlank(p);
        drawTraces(p, rng);
        drawSilkscreen(p);
    }
    photo::maskTexture(image, rng);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        drawPassives(p);
        drawChips(p);
        drawConnectors(p);
        drawJumpers(p);
        drawDust(p, rng);
    }
    photo::lighting(image);
    photo::soften(image);
    photo::sensorNoise(image, rng, 1.6);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the silkscreen
    if (argc != 2) {
        std::fprintf(stderr, "usage: draw_board <output.jpg>\n");
        return 2;
    }
    int quality = 0;
    const QByteArray jpeg = encodeNearSize(drawBoard(), kTargetBytes, &quality);
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(jpeg) != jpeg.size()) {
        std::fprintf(stderr, "draw_board: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %lld bytes at quality %d\n", argv[1], static_cast<long long>(jpeg.size()),
                quality);
    return 0;
}
