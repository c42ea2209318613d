#include "OffscreenImage.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// How far a row of a rounded box is indented at each end. k counts rows from the nearer
// of the top and bottom edges, so the shape is exactly symmetric; the corner is a quarter
// ellipse with radii rx and ry, sampled at pixel centres.
int rowInset(int k, double rx, double ry)
{
    const double above = ry - (k + 0.5); // row centre above the corner ellipse's centre
    if (above <= 0 || rx <= 0)
        return 0;
    const double t = above / ry;
    const double reach = rx * std::sqrt(1.0 - t * t);
    return std::max(0, static_cast<int>(std::ceil(rx - reach - 0.5)));
}

// A copy of a w x h block from (sx, sy) to (dx, dy).
struct Block
{
    int sx, sy, dx, dy, w, h;

    bool empty() const { return w <= 0 || h <= 0; }

    // Trims the block so that its source, or its target, rectangle lies within the bounds;
    // both ends of the copy shrink alike.
    void clipSource(QSize bounds) { clip(sx, sy, bounds); }
    void clipTarget(QSize bounds) { clip(dx, dy, bounds); }

private:
    void clip(int x, int y, QSize bounds)
    {
        const int cutX = std::max(0, -x), cutY = std::max(0, -y);
        sx += cutX, dx += cutX, w -= cutX;
        sy += cutY, dy += cutY, h -= cutY;
        w = std::min(w, bounds.width() - (x + cutX));
        h = std::min(h, bounds.height() - (y + cutY));
    }
};

} // namespace

void TOffscreenImage::setSize(int w, int h)
{
    if (w <= 0 || h <= 0) {
        m_image = QImage();
        return;
    }
    if (m_image.width() != w || m_image.height() != h)
        m_image = QImage(w, h, QImage::Format_RGB32);
}

void TOffscreenImage::setPen(TColor color, TPenStyle style)
{
    m_pen = toQRgb(color);
    m_penSolid = style == psSolid;
}

void TOffscreenImage::setBrush(TColor color) { m_brush = toQRgb(color); }

void TOffscreenImage::rectangle(int x1, int y1, int x2, int y2) { fillRounded(x1, y1, x2, y2, 0, 0); }

void TOffscreenImage::roundRect(int x1, int y1, int x2, int y2, int cw, int ch)
{
    fillRounded(x1, y1, x2, y2, cw, ch);
}

void TOffscreenImage::ellipse(int x1, int y1, int x2, int y2) { fillRounded(x1, y1, x2, y2, x2 - x1, y2 - y1); }

// Every shape is a rounded box: a plain rectangle has corners of no size, an ellipse
// corners as large as the box. Each row is one span; a pixel of the shape whose left,
// right, upper or lower neighbour lies outside it belongs to the pen's ring.
void TOffscreenImage::fillRounded(int x1, int y1, int x2, int y2, double cornerWidth, double cornerHeight)
{
    const int w = x2 - x1, h = y2 - y1;
    if (w <= 0 || h <= 0 || m_image.isNull())
        return;
    const double rx = std::clamp(cornerWidth, 0.0, double(w)) / 2;
    const double ry = std::clamp(cornerHeight, 0.0, double(h)) / 2;
    std::vector<int> inset(h);
    for (int i = 0; i < h; ++i)
        inset[i] = rowInset(std::min(i, h - 1 - i), rx, ry);

    const auto inside = [&](int row, int x) {
        return row >= 0 && row < h && x >= x1 + inset[row] && x < x2 - inset[row];
    };
    for (int row = std::max(0, -y1); row < h && y1 + row < height(); ++row) {
        const int first = std::max(x1 + inset[row], 0);
        const int last = std::min(x2 - 1 - inset[row], width() - 1);
        for (int x = first; x <= last; ++x) {
            const bool ring = m_penSolid && !(inside(row - 1, x) && inside(row + 1, x) &&
                                              inside(row, x - 1) && inside(row, x + 1));
            put(x, y1 + row, ring ? m_pen : m_brush);
        }
    }
}

void TOffscreenImage::put(int x, int y, QRgb color) { reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] = color; }

TColor TOffscreenImage::pixel(int x, int y) const
{
    if (!m_image.valid(x, y))
        return clBlack;
    const QRgb c = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    return TColor(qRed(c)) | TColor(qGreen(c)) << 8 | TColor(qBlue(c)) << 16;
}

void TOffscreenImage::setPixel(int x, int y, TColor color)
{
    if (m_image.valid(x, y))
        put(x, y, toQRgb(color));
}

void TOffscreenImage::copyTo(TOffscreenImage& target, int dx, int dy, int sx, int sy, int w, int h) const
{
    Block block{sx, sy, dx, dy, w, h};
    block.clipSource(m_image.size());
    block.clipTarget(target.m_image.size());
    if (block.empty())
        return;
    // A shallow copy keeps the source intact when the target is this image: writing to
    // the target then detaches it first.
    const QImage source = m_image;
    for (int row = 0; row < block.h; ++row)
        std::memcpy(target.m_image.scanLine(block.dy + row) + block.dx * 4,
                    source.constScanLine(block.sy + row) + block.sx * 4, std::size_t(block.w) * 4);
}

void TOffscreenImage::copyTo(QPainter& target, int dx, int dy, int sx, int sy, int w, int h) const
{
    // The painter clips both sides itself; it would read a block of no size as "to the
    // image's end", so that one is left out here.
    if (w > 0 && h > 0)
        target.drawImage(QPoint(dx, dy), m_image, QRect(sx, sy, w, h));
}
