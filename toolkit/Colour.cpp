#include "Colour.h"

#include <QApplication>
#include <QPalette>

namespace {

TColor fromQColor(const QColor& c)
{
    return TColor(c.red()) | TColor(c.green()) << 8 | TColor(c.blue()) << 16;
}

struct SystemColors
{
    TColor buttonFace, window, windowText;
};

const SystemColors& systemColors()
{
    static const SystemColors colors = [] {
        const QPalette palette = QApplication::palette();
        return SystemColors{fromQColor(palette.color(QPalette::Button)),
                            fromQColor(palette.color(QPalette::Base)),
                            fromQColor(palette.color(QPalette::WindowText))};
    }();
    return colors;
}

} // namespace

TColor resolveColor(TColor c)
{
    if (!isSystemColor(c))
        return c & 0xFFFFFF;
    switch (c & 0xFF) {
    case 0x05: return systemColors().window;
    case 0x08: return systemColors().windowText;
    default: return systemColors().buttonFace;
    }
}

QRgb toQRgb(TColor c)
{
    const TColor r = resolveColor(c);
    return qRgb(r & 0xFF, (r >> 8) & 0xFF, (r >> 16) & 0xFF);
}
