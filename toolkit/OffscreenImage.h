#pragma once
// An off-screen 32-bit image with a pen, a brush and a few exact, aliased drawing
// operations. Pixels are written directly (no QPainter) so every shape is the same on
// every platform. Rows are stored top to bottom, each pixel as the bytes blue, green,
// red and one unused byte (QImage::Format_RGB32).

#include "Colour.h"

#include <QImage>

class QPainter;

class TOffscreenImage
{
public:
    enum TPenStyle { psSolid, psClear };

    // Makes the image w x h; the old pixels are not kept. A size of no width or no
    // height gives an empty image on which every operation does nothing.
    void setSize(int w, int h);
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    // Pen width is always one pixel. System colours resolve when they are set.
    void setPen(TColor color, TPenStyle style = psSolid);
    void setBrush(TColor color);

    // The box covers columns x1 .. x2 - 1 and rows y1 .. y2 - 1. A solid pen takes the
    // outermost ring of pixels, the brush the inside; with a clear pen the brush fills it all.
    void rectangle(int x1, int y1, int x2, int y2);
    // As rectangle, each corner rounded by a quarter ellipse cw wide and ch high.
    void roundRect(int x1, int y1, int x2, int y2, int cw, int ch);
    // The ellipse inscribed in the box, outlined and filled like roundRect.
    void ellipse(int x1, int y1, int x2, int y2);

    // Colours as 0x00BBGGRR; reads outside the image give black, writes there are dropped.
    TColor pixel(int x, int y) const;
    void setPixel(int x, int y, TColor color);

    // Copies the w x h block at (sx, sy) of this image to (dx, dy) of the target,
    // clipped to both.
    void copyTo(TOffscreenImage& target, int dx, int dy, int sx, int sy, int w, int h) const;
    void copyTo(QPainter& target, int dx, int dy, int sx, int sy, int w, int h) const;

    // Direct row access; a row holds width() pixels of four bytes (blue, green, red, unused).
    uchar* scanLine(int y) { return m_image.scanLine(y); }
    const uchar* scanLine(int y) const { return m_image.constScanLine(y); }

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }

private:
    void fillRounded(int x1, int y1, int x2, int y2, double cornerWidth, double cornerHeight);
    void put(int x, int y, QRgb color);

    QImage m_image;
    QRgb m_pen = qRgb(0, 0, 0);
    bool m_penSolid = true;
    QRgb m_brush = qRgb(255, 255, 255);
};
