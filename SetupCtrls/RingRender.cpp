#include "RingRender.h"

#include <QRgb>

#include <algorithm>
#include <cmath>
#include <vector>

// All arithmetic is 32-bit float with every intermediate stored as float (the build turns
// off fused multiply-add), so the rings come out the same on every machine.

namespace {

constexpr float kInnerLimit = 0.5929f; // 0.77 squared: inside it the ring is a flat tint
constexpr float kInnerTint = 0.16f;
constexpr float kRingRadius = 0.875f;

// Maps the pixel indices 0..n-1 onto -1..+1. A single pixel has no extent to spread over
// (the scale would divide by zero), so it lies on the centre line.
std::vector<float> axisSquares(int n)
{
    std::vector<float> squares(std::size_t(n), 0.0f);
    if (n < 2)
        return squares;
    const float scale = 2.0f / float(n - 1);
    for (int i = 0; i < n; ++i) {
        const float scaled = float(i) * scale;
        const float t = scaled - 1.0f;
        squares[std::size_t(i)] = t * t;
    }
    return squares;
}

// The ring profile: 1 on the ring's middle circle, falling to 0 at the ellipse and to
// the inner tint where it meets the flat inside.
float ringWeight(float d)
{
    const float r = std::sqrt(d);
    const float off = std::fabs(r - kRingRadius);
    const float falloff = 8.0f * off;
    return 1.0f - falloff;
}

uchar blendChannel(float base, float b, float colour, float a)
{
    const float kept = base * b;
    const float added = colour * a;
    const float sum = kept + added;
    // Rounded once, halves to the even neighbour.
    return uchar(std::clamp(std::lrintf(sum), 0L, 255L));
}

QRgb blendPixel(QRgb px, const float colour[3], float w, float strength, bool whiteCore,
                bool ringZone)
{
    if (whiteCore && ringZone) {
        w = 2.0f * w;
        if (w > 1.0f) {
            // White, with the fourth byte opaque as Format_RGB32 requires.
            px = 0xFFFFFFFFu;
            w = 2.0f - w;
        }
    }
    const float a = w * strength;
    const float b = 1.0f - a;
    return qRgba(blendChannel(float(qRed(px)), b, colour[0], a),
                 blendChannel(float(qGreen(px)), b, colour[1], a),
                 blendChannel(float(qBlue(px)), b, colour[2], a), qAlpha(px));
}

} // namespace

void RenderRing(QImage& image, TColor color, float strength, bool whiteCore)
{
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0)
        return;
    if (image.format() != QImage::Format_RGB32)
        image.convertTo(QImage::Format_RGB32);
    // Red, green, blue of a 0x00BBGGRR value.
    const float colour[3] = {float(color & 0xFF), float((color >> 8) & 0xFF),
                             float((color >> 16) & 0xFF)};
    const std::vector<float> uu = axisSquares(width);
    const std::vector<float> vv = axisSquares(height);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const float d = uu[std::size_t(x)] + vv[std::size_t(y)];
            if (d >= 1.0f)
                continue;
            const bool ringZone = d >= kInnerLimit;
            const float w = ringZone ? ringWeight(d) : kInnerTint;
            row[x] = blendPixel(row[x], colour, w, strength, whiteCore, ringZone);
        }
    }
}
