#pragma once
// Drawings made at the resolution of the screen they land on: a widget's size in the
// screen's own pixels.

#include <QSize>
#include <cmath>

// The pixels a size covers at a device pixel ratio, rounded up so that a drawing of this size
// covers the whole widget. The small allowance keeps a product such as 10 x 1.1, which comes
// out a hair above 11, at 11.
inline QSize atDevicePixels(QSize size, qreal dpr)
{
    const auto scale = [dpr](int n) { return int(std::ceil(n * dpr - 1e-6)); };
    return QSize(scale(size.width()), scale(size.height()));
}
