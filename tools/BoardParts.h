#pragma once
// Drawing of the card's parts as seen from straight above under a soft light from the
// upper left: headers, jumper caps, chip packages, passives and silkscreen.

#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

namespace parts {

// Header pitch in photograph pixels; every pin field uses it.
constexpr double kPitch = 12.0;

// Unshrouded pin header: a black plastic strip with gold square posts. firstPin is the
// centre of the top-left pin; pins run cols to the right and rows downwards.
void pinHeader(QPainter& p, QPointF firstPin, int cols, int rows);

// Shrouded box header with a key notch on the side given by keyBelow.
void boxHeader(QPainter& p, QPointF firstPin, int cols, int rows, bool keyBelow);

// The bus receptacle: a black housing with a square socket per contact.
void socketStrip(QPainter& p, QPointF firstPin, int cols, int rows);

// A jumper cap over the two pins whose centres are given.
void shunt(QPainter& p, QPointF pinA, QPointF pinB);

// Chip packages. marking lines are printed centred on the body.
void plcc(QPainter& p, QPointF centre, double body, int leadsPerSide,
          const QStringList& marking);
void smallOutline(QPainter& p, QPointF centre, double length, double width,
                  int leadsPerSide, bool vertical, const QStringList& marking);

// Passives and odds.
void chipPart(QPainter& p, QPointF centre, bool vertical, bool resistor);
void tantalum(QPainter& p, QPointF centre, bool vertical);
void resistorNetwork(QPainter& p, QPointF firstPin, int pins, const QString& marking);
void oscillator(QPainter& p, const QRectF& body, const QStringList& marking);
void sticker(QPainter& p, const QRectF& r, const QString& text);
void mountingHole(QPainter& p, QPointF centre, double radius);
void via(QPainter& p, QPointF centre);
void throughPad(QPainter& p, QPointF centre, bool square);

// Silkscreen text; align is a Qt::Alignment value relative to the anchor point.
void silk(QPainter& p, QPointF anchor, const QString& text, double pixelSize, int align,
          bool bold = false);
void silkRect(QPainter& p, const QRectF& r);

} // namespace parts
