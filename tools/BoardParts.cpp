#include "BoardParts.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace parts {
namespace {

const QColor kSilk(236, 236, 226);
const QColor kSolder(196, 196, 188); // tinned pads

// A soft drop shadow down and to the right, built from a few widening translucent layers.
void shadow(QPainter& p, const QRectF& r, double radius, double lift)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 3; i >= 0; --i) {
        const double grow = 0.8 * i;
        p.setBrush(QColor(0, 0, 0, 34 + 12 * (3 - i)));
        p.drawRoundedRect(r.translated(lift * 0.7, lift).adjusted(-grow, -grow, grow, grow),
                          radius + grow, radius + grow);
    }
    p.restore();
}

// Plastic lit from the upper left: lighter towards the top-left corner.
QLinearGradient plastic(const QRectF& r, int base)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0.0, QColor(base + 22, base + 22, base + 25));
    g.setColorAt(0.45, QColor(base, base, base + 2));
    g.setColorAt(1.0, QColor(std::max(base - 12, 0), std::max(base - 12, 0), std::max(base - 11, 0)));
    return g;
}

QRectF pinField(QPointF firstPin, int cols, int rows)
{
    return QRectF(firstPin.x() - kPitch / 2, firstPin.y() - kPitch / 2, cols * kPitch,
                  rows * kPitch);
}

void goldPost(QPainter& p, QPointF c)
{
    const double s = 4.6;
    const QRectF outer(c.x() - s / 2, c.y() - s / 2, s, s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRect(outer.translated(1.2, 1.4));
    QLinearGradient g(outer.topLeft(), outer.bottomRight());
    g.setColorAt(0.0, QColor(252, 226, 140));
    g.setColorAt(0.5, QColor(214, 168, 70));
    g.setColorAt(1.0, QColor(132, 96, 34));
    p.setBrush(g);
    p.drawRect(outer);
    // The flat tip of the post catches the light.
    p.setBrush(QColor(246, 214, 128));
    p.drawRect(outer.adjusted(1.3, 1.3, -1.3, -1.3));
}

void printMarking(QPainter& p, const QRectF& area, const QStringList& lines, double size,
                  const QColor& ink)
{
    QFont f(QStringLiteral("DejaVu Sans Condensed"));
    f.setPixelSize(std::max(4, int(std::lround(size))));
    f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    const double lineHeight = size * 1.15;
    const double top = area.center().y() - lineHeight * lines.size() / 2;
    for (int i = 0; i < lines.size(); ++i) {
        const QRectF line(area.left(), top + i * lineHeight, area.width(), lineHeight);
        p.drawText(line, Qt::AlignCenter, lines[i]);
    }
}

} // namespace

void pinHeader(QPainter& p, QPointF firstPin, int cols, int rows)
{
    const QRectF base = pinField(firstPin, cols, rows).adjusted(0.4, 0.4, -0.4, -0.4);
    shadow(p, base, 1.0, 2.2);
    p.setPen(QPen(QColor(12, 12, 14), 0.8));
    p.setBrush(plastic(base, 38));
    p.drawRoundedRect(base, 1.0, 1.0);
    // Breakaway notches between the pin positions.
    p.setPen(QPen(QColor(16, 16, 18), 0.7));
    for (int c = 1; c < cols; ++c) {
        const double x = base.left() + c * kPitch - 0.4;
        p.drawLine(QPointF(x, base.top() + 0.6), QPointF(x, base.top() + 2.2));
        p.drawLine(QPointF(x, base.bottom() - 2.2), QPointF(x, base.bottom() - 0.6));
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            goldPost(p, firstPin + QPointF(c * kPitch, r * kPitch));
}

void boxHeader(QPainter& p, QPointF firstPin, int cols, int rows, bool keyBelow)
{
    const QRectF pins = pinField(firstPin, cols, rows);
    const QRectF box = pins.adjusted(-9, -6, 9, 6);
    shadow(p, box, 1.5, 3.5);
    p.setPen(QPen(QColor(8, 8, 10), 1.0));
    p.setBrush(plastic(box, 40));
    p.drawRoundedRect(box, 1.5, 1.5);
    // The floor inside the shroud lies in the shadow of the walls.
    const QRectF floor = pins.adjusted(-3.5, -1.5, 3.5, 1.5);
    QLinearGradient g(floor.topLeft(), floor.bottomLeft());
    g.setColorAt(0.0, QColor(8, 8, 9));
    g.setColorAt(0.3, QColor(22, 22, 24));
    g.setColorAt(1.0, QColor(28, 28, 30));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRect(floor);
    // Key notch in the middle of one long wall.
    const double notchWidth = 4.5 * kPitch;
    const double y = keyBelow ? floor.bottom() - 0.5 : box.top() - 0.5;
    p.setBrush(QColor(20, 20, 22));
    p.drawRect(QRectF(box.center().x() - notchWidth / 2, y, notchWidth, floor.top() - box.top() + 1));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            goldPost(p, firstPin + QPointF(c * kPitch, r * kPitch));
    // Pin 1 triangle moulded into the wall.
    QPainterPath tri;
    const QPointF t(pins.left() - 6.5, keyBelow ? box.top() + 3 : box.bottom() - 3);
    tri.moveTo(t + QPointF(-2, keyBelow ? -1 : 1));
    tri.lineTo(t + QPointF(2, keyBelow ? -1 : 1));
    tri.lineTo(t + QPointF(0, keyBelow ? 2.5 : -2.5));
    p.setBrush(QColor(70, 70, 74));
    p.drawPath(tri);
}

void socketStrip(QPainter& p, QPointF firstPin, int cols, int rows)
{
    const QRectF housing = pinField(firstPin, cols, rows).adjusted(-3, -3, 3, 3);
    shadow(p, housing, 1.0, 4.0);
    p.setPen(QPen(QColor(6, 6, 8), 1.0));
    p.setBrush(plastic(housing, 36));
    p.drawRoundedRect(housing, 1.2, 1.2);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            const QPointF centre = firstPin + QPointF(c * kPitch, r * kPitch);
            const QRectF hole(centre.x() - 2.8, centre.y() - 2.8, 5.6, 5.6);
            p.setPen(QPen(QColor(58, 58, 62), 0.6));
            p.setBrush(QColor(6, 6, 7));
            p.drawRect(hole);
            // The contact spring glints deep in the socket.
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(120, 94, 42));
            p.drawRect(QRectF(centre.x() - 1.2, centre.y() - 0.2, 2.4, 1.2));
        }
}

void shunt(QPainter& p, QPointF pinA, QPointF pinB)
{
    const QPointF mid = (pinA + pinB) / 2;
    const QPointF d = pinB - pinA;
    const double length = std::hypot(d.x(), d.y()) + kPitch * 0.86;
    const double width = kPitch * 0.84;
    const bool vertical = std::abs(d.y()) > std::abs(d.x());
    const QRectF body = vertical
        ? QRectF(mid.x() - width / 2, mid.y() - length / 2, width, length)
        : QRectF(mid.x() - length / 2, mid.y() - width / 2, length, width);
    shadow(p, body, 2.0, 3.2);
    p.setPen(QPen(QColor(4, 4, 6), 0.8));
    p.setBrush(plastic(body, 30));
    p.drawRoundedRect(body, 2.0, 2.0);
    // Raised top face with a grip groove across it.
    const QRectF top = body.adjusted(1.8, 1.8, -1.8, -1.8);
    p.setPen(Qt::NoPen);
    p.setBrush(plastic(top, 42));
    p.drawRoundedRect(top, 1.2, 1.2);
    p.setPen(QPen(QColor(14, 14, 16), 1.0));
    if (vertical)
        p.drawLine(QPointF(top.left() + 1, mid.y()), QPointF(top.right() - 1, mid.y()));
    else
        p.drawLine(QPointF(mid.x(), top.top() + 1), QPointF(mid.x(), top.bottom() - 1));
    // Specular edge.
    p.setPen(QPen(QColor(120, 120, 126, 150), 0.8));
    p.drawLine(top.topLeft() + QPointF(1, 0.2), top.topRight() + QPointF(-1, 0.2));
    p.drawLine(top.topLeft() + QPointF(0.2, 1), top.bottomLeft() + QPointF(0.2, -1));
}

void plcc(QPainter& p, QPointF centre, double body, int leadsPerSide, const QStringList& marking)
{
    const QRectF b(centre.x() - body / 2, centre.y() - body / 2, body, body);
    const double leadPitch = 6.0;
    const double span = (leadsPerSide - 1) * leadPitch;
    // Leads and their tinned pads on all four sides.
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < leadsPerSide; ++i) {
            const double t = -span / 2 + i * leadPitch;
            QRectF pad, lead;
            switch (side) {
            case 0: pad = QRectF(centre.x() + t - 1.9, b.top() - 6, 3.8, 9); break;
            case 1: pad = QRectF(b.right() - 3, centre.y() + t - 1.9, 9, 3.8); break;
            case 2: pad = QRectF(centre.x() + t - 1.9, b.bottom() - 3, 3.8, 9); break;
            default: pad = QRectF(b.left() - 6, centre.y() + t - 1.9, 9, 3.8); break;
            }
            lead = pad.adjusted(0.6, 0.6, -0.6, -0.6);
            p.setPen(Qt::NoPen);
            p.setBrush(kSolder.darker(115));
            p.drawRect(pad);
            QLinearGradient g(lead.topLeft(), lead.bottomRight());
            g.setColorAt(0, QColor(236, 236, 232));
            g.setColorAt(1, QColor(130, 130, 128));
            p.setBrush(g);
            p.drawRect(lead);
        }
    shadow(p, b, 2.0, 3.0);
    QPainterPath outline;
    const double cut = body * 0.08;
    outline.moveTo(b.left() + cut, b.top());
    outline.lineTo(b.topRight());
    outline.lineTo(b.bottomRight());
    outline.lineTo(b.bottomLeft());
    outline.lineTo(b.left(), b.top() + cut);
    outline.closeSubpath();
    p.setPen(QPen(QColor(10, 10, 12), 0.8));
    p.setBrush(plastic(b, 44));
    p.drawPath(outline);
    // The moulded top is a step smaller than the body.
    const QRectF face = b.adjusted(4, 4, -4, -4);
    p.setPen(QPen(QColor(64, 64, 68), 0.6));
    p.setBrush(plastic(face, 34));
    p.drawRect(face);
    // Pin 1 dimple at the middle of the top edge.
    QRadialGradient dimple(QPointF(centre.x() + 0.8, face.top() + 7.5), 3.4);
    dimple.setColorAt(0, QColor(20, 20, 22));
    dimple.setColorAt(1, QColor(52, 52, 56));
    p.setPen(Qt::NoPen);
    p.setBrush(dimple);
    p.drawEllipse(QPointF(centre.x(), face.top() + 7), 3.2, 3.2);
    printMarking(p, face.adjusted(2, 10, -2, -2), marking, body / 10.5, QColor(168, 168, 164));
}

void smallOutline(QPainter& p, QPointF centre, double length, double width, int leadsPerSide,
                  bool vertical, const QStringList& marking)
{
    const QSizeF size = vertical ? QSizeF(width, length) : QSizeF(length, width);
    const QRectF b(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(),
                   size.height());
    const double leadPitch = length / (leadsPerSide + 0.3);
    const double leadWidth = std::min(leadPitch * 0.5, 2.6);
    const double reach = std::max(4.0, width * 0.22);
    for (int i = 0; i < leadsPerSide; ++i) {
        const double t = (i - (leadsPerSide - 1) / 2.0) * leadPitch;
        for (int side = 0; side < 2; ++side) {
            QRectF lead = vertical
                ? QRectF(side ? b.right() - 0.5 : b.left() - reach + 0.5, centre.y() + t - leadWidth / 2,
                         reach, leadWidth)
                : QRectF(centre.x() + t - leadWidth / 2, side ? b.bottom() - 0.5 : b.top() - reach + 0.5,
                         leadWidth, reach);
            p.setPen(Qt::NoPen);
            p.setBrush(kSolder.darker(112));
            p.drawRect(lead.adjusted(-0.5, -0.5, 0.5, 0.5));
            QLinearGradient g(lead.topLeft(), lead.bottomRight());
            g.setColorAt(0, QColor(238, 238, 234));
            g.setColorAt(1, QColor(140, 140, 136));
            p.setBrush(g);
            p.drawRect(lead);
        }
    }
    shadow(p, b, 1.0, 2.2);
    p.setPen(QPen(QColor(10, 10, 12), 0.7));
    p.setBrush(plastic(b, 40));
    p.drawRoundedRect(b, 0.8, 0.8);
    // Pin 1 dot in the first corner.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(22, 22, 24));
    const double dot = std::max(1.4, width * 0.08);
    p.drawEllipse(b.topLeft() + QPointF(dot + 2.2, dot + 2.2), dot, dot);
    p.save();
    p.translate(centre);
    if (vertical)
        p.rotate(90);
    const QRectF face(-length / 2 + 2, -width / 2 + 1, length - 4, width - 2);
    printMarking(p, face, marking, std::min(width / 3.3, 7.5), QColor(164, 164, 160));
    p.restore();
}

void chipPart(QPainter& p, QPointF centre, bool vertical, bool resistor)
{
    const QSizeF s = vertical ? QSizeF(6.2, 10.4) : QSizeF(10.4, 6.2);
    const QRectF b(centre.x() - s.width() / 2, centre.y() - s.height() / 2, s.width(), s.height());
    p.setPen(Qt::NoPen);
    p.setBrush(kSolder.darker(108));
    p.drawRect(b.adjusted(-1.2, -1.2, 1.2, 1.2));
    shadow(p, b, 0.5, 1.2);
    p.setBrush(resistor ? QColor(24, 24, 26) : QColor(166, 134, 96));
    p.drawRect(b);
    const double cap = 2.6;
    const QRectF endA = vertical ? QRectF(b.left(), b.top(), b.width(), cap)
                                 : QRectF(b.left(), b.top(), cap, b.height());
    const QRectF endB = vertical ? QRectF(b.left(), b.bottom() - cap, b.width(), cap)
                                 : QRectF(b.right() - cap, b.top(), cap, b.height());
    for (const QRectF& e : {endA, endB}) {
        QLinearGradient g(e.topLeft(), e.bottomRight());
        g.setColorAt(0, QColor(232, 232, 228));
        g.setColorAt(1, QColor(150, 150, 146));
        p.setBrush(g);
        p.drawRect(e);
    }
    if (resistor) {
        p.setBrush(QColor(70, 70, 72));
        p.drawRect(QRectF(centre.x() - 1.5, centre.y() - 1.0, 3.0, 2.0));
    }
}

void tantalum(QPainter& p, QPointF centre, bool vertical)
{
    const QSizeF s = vertical ? QSizeF(12, 17) : QSizeF(17, 12);
    const QRectF b(centre.x() - s.width() / 2, centre.y() - s.height() / 2, s.width(), s.height());
    p.setPen(Qt::NoPen);
    p.setBrush(kSolder.darker(108));
    p.drawRect(vertical ? b.adjusted(2, -2, -2, 2) : b.adjusted(-2, 2, 2, -2));
    shadow(p, b, 1.0, 2.5);
    QLinearGradient g(b.topLeft(), b.bottomRight());
    g.setColorAt(0, QColor(238, 190, 70));
    g.setColorAt(1, QColor(176, 122, 28));
    p.setBrush(g);
    p.drawRoundedRect(b, 1.0, 1.0);
    p.setBrush(QColor(120, 70, 20));
    p.drawRect(vertical ? QRectF(b.left() + 1, b.top() + 1.5, b.width() - 2, 3)
                        : QRectF(b.left() + 1.5, b.top() + 1, 3, b.height() - 2));
}

void resistorNetwork(QPainter& p, QPointF firstPin, int pins, const QString& marking)
{
    const QRectF body(firstPin.x() - kPitch / 2 + 1, firstPin.y() - 5, pins * kPitch - 2, 10);
    shadow(p, body, 2.5, 4.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, QColor(74, 74, 78));
    g.setColorAt(0.35, QColor(40, 40, 44));
    g.setColorAt(1, QColor(18, 18, 20));
    p.setPen(QPen(QColor(8, 8, 10), 0.8));
    p.setBrush(g);
    p.drawRoundedRect(body, 3.0, 3.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(214, 214, 206));
    p.drawEllipse(QPointF(body.left() + 4, body.center().y()), 1.4, 1.4);
    printMarking(p, body.adjusted(8, 0, 0, 0), {marking}, 6.5, QColor(210, 210, 204));
}

void oscillator(QPainter& p, const QRectF& body, const QStringList& marking)
{
    shadow(p, body, 3.0, 4.0);
    QLinearGradient g(body.topLeft(), body.bottomRight());
    g.setColorAt(0, QColor(236, 236, 238));
    g.setColorAt(0.5, QColor(178, 180, 184));
    g.setColorAt(1, QColor(118, 120, 124));
    p.setPen(QPen(QColor(90, 92, 96), 0.8));
    p.setBrush(g);
    p.drawRoundedRect(body, 3.5, 3.5);
    const QRectF rim = body.adjusted(2.5, 2.5, -2.5, -2.5);
    p.setPen(QPen(QColor(250, 250, 252, 170), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(rim, 2.5, 2.5);
    printMarking(p, rim, marking, 6.5, QColor(40, 40, 44));
}

void sticker(QPainter& p, const QRectF& r, const QString& text)
{
    shadow(p, r, 0.5, 1.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(238, 236, 226));
    p.drawRect(r);
    // A bar code over the serial number.
    p.setBrush(QColor(30, 30, 34));
    double x = r.left() + 4;
    for (int i = 0; x < r.right() - 4; ++i) {
        const double bar = 0.8 + (i * 7 % 5) * 0.35;
        p.drawRect(QRectF(x, r.top() + 2.5, bar, r.height() * 0.5));
        x += bar + 0.9 + (i * 3 % 4) * 0.35;
    }
    printMarking(p, QRectF(r.left(), r.top() + r.height() * 0.55, r.width(), r.height() * 0.45),
                 {text}, 5.5, QColor(30, 30, 34));
}

void mountingHole(QPainter& p, QPointF centre, double radius)
{
    QRadialGradient ring(centre - QPointF(2, 2), radius + 6);
    ring.setColorAt(0.6, QColor(226, 226, 220));
    ring.setColorAt(1.0, QColor(150, 150, 144));
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(centre, radius + 5, radius + 5);
    QRadialGradient hole(centre + QPointF(1.5, 1.5), radius);
    hole.setColorAt(0.0, QColor(34, 34, 36));
    hole.setColorAt(0.85, QColor(14, 14, 15));
    hole.setColorAt(1.0, QColor(60, 58, 52));
    p.setBrush(hole);
    p.drawEllipse(centre, radius, radius);
}

void via(QPainter& p, QPointF centre)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(52, 132, 74));
    p.drawEllipse(centre, 2.4, 2.4);
    p.setBrush(QColor(14, 44, 22));
    p.drawEllipse(centre + QPointF(0.2, 0.2), 0.9, 0.9);
}

void throughPad(QPainter& p, QPointF centre, bool square)
{
    p.setPen(Qt::NoPen);
    QRadialGradient g(centre - QPointF(1, 1), 4.5);
    g.setColorAt(0, QColor(238, 238, 232));
    g.setColorAt(1, QColor(150, 150, 144));
    p.setBrush(g);
    if (square)
        p.drawRect(QRectF(centre.x() - 3.8, centre.y() - 3.8, 7.6, 7.6));
    else
        p.drawEllipse(centre, 3.8, 3.8);
    p.setBrush(QColor(20, 20, 20));
    p.drawEllipse(centre, 1.6, 1.6);
}

void silk(QPainter& p, QPointF anchor, const QString& text, double pixelSize, int align,
          bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans Condensed"));
    f.setPixelSize(std::max(4, int(std::lround(pixelSize))));
    f.setBold(bold);
    p.setFont(f);
    p.setPen(kSilk);
    const double w = 400, h = pixelSize * 2;
    QRectF box(anchor.x() - w / 2, anchor.y() - h / 2, w, h);
    if (align & Qt::AlignLeft)
        box.moveLeft(anchor.x());
    if (align & Qt::AlignRight)
        box.moveRight(anchor.x());
    p.drawText(box, align | Qt::AlignVCenter, text);
}

void silkRect(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kSilk, 1.3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

} // namespace parts
