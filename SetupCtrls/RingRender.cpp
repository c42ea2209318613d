#include "RingRender.h"

#include <QRgb>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

#ifdef __SSE2__

__m128 select(__m128 mask, __m128 whenSet, __m128 otherwise)
{
    return _mm_or_ps(_mm_and_ps(mask, whenSet), _mm_andnot_ps(mask, otherwise));
}

__m128i blendChannels(__m128i pixels, int shift, __m128 b, __m128 colour, __m128 a)
{
    const __m128i byte = _mm_and_si128(_mm_srli_epi32(pixels, shift), _mm_set1_epi32(0xFF));
    const __m128 kept = _mm_mul_ps(_mm_cvtepi32_ps(byte), b);
    const __m128 added = _mm_mul_ps(colour, a);
    const __m128 sum = _mm_min_ps(_mm_max_ps(_mm_add_ps(kept, added), _mm_setzero_ps()), _mm_set1_ps(255.0f));
    // Converts with the current rounding mode: to nearest, halves to even, as lrintf does.
    return _mm_slli_epi32(_mm_cvtps_epi32(sum), shift);
}

// Four pixels at once. Every step is the same single-precision operation, in the same order,
// as the one-pixel path, so both give the same bytes. A pixel outside the ellipse gets
// a = 0 and b = 1, which gives its own bytes back.
void renderFour(QRgb* pixelsOut, const float* uu, float v2, const __m128 colour[3], float strength,
                bool whiteCore)
{
    const __m128 one = _mm_set1_ps(1.0f), two = _mm_set1_ps(2.0f);
    const __m128 d = _mm_add_ps(_mm_loadu_ps(uu), _mm_set1_ps(v2));
    const __m128 inside = _mm_cmplt_ps(d, one);
    if (_mm_movemask_ps(inside) == 0)
        return;
    const __m128 ringZone = _mm_and_ps(inside, _mm_cmpge_ps(d, _mm_set1_ps(kInnerLimit)));
    const __m128 off = _mm_andnot_ps(_mm_set1_ps(-0.0f), _mm_sub_ps(_mm_sqrt_ps(d), _mm_set1_ps(kRingRadius)));
    const __m128 ringWeight = _mm_sub_ps(one, _mm_mul_ps(_mm_set1_ps(8.0f), off));
    __m128 w = select(ringZone, ringWeight, _mm_set1_ps(kInnerTint));
    __m128 white = _mm_setzero_ps();
    if (whiteCore) {
        const __m128 doubled = _mm_mul_ps(two, w);
        white = _mm_and_ps(ringZone, _mm_cmpgt_ps(doubled, one));
        w = select(ringZone, select(white, _mm_sub_ps(two, doubled), doubled), w);
    }
    const __m128 a = _mm_and_ps(inside, _mm_mul_ps(w, _mm_set1_ps(strength)));
    const __m128 b = _mm_sub_ps(one, a);
    auto* target = reinterpret_cast<__m128i*>(pixelsOut);
    const __m128i pixels = _mm_or_si128(_mm_loadu_si128(target), _mm_castps_si128(white));
    const __m128i alpha = _mm_and_si128(pixels, _mm_set1_epi32(int(0xFF000000u)));
    const __m128i red = blendChannels(pixels, 16, b, colour[0], a);
    const __m128i green = blendChannels(pixels, 8, b, colour[1], a);
    const __m128i blue = blendChannels(pixels, 0, b, colour[2], a);
    _mm_storeu_si128(target, _mm_or_si128(_mm_or_si128(alpha, red), _mm_or_si128(green, blue)));
}

#endif

void renderOne(QRgb& pixel, float d, const float colour[3], float strength, bool whiteCore)
{
    if (d >= 1.0f)
        return;
    const bool ringZone = d >= kInnerLimit;
    const float w = ringZone ? ringWeight(d) : kInnerTint;
    pixel = blendPixel(pixel, colour, w, strength, whiteCore, ringZone);
}

} // namespace

void RenderRing(QImage& image, TColor color, float strength, bool whiteCore)
{
    RenderRing(image, color, strength, whiteCore, RingPath::Fastest);
}

void RenderRing(QImage& image, TColor color, float strength, bool whiteCore, RingPath path)
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
    int vectorWidth = 0;
#ifdef __SSE2__
    const __m128 colours[3] = {_mm_set1_ps(colour[0]), _mm_set1_ps(colour[1]), _mm_set1_ps(colour[2])};
    if (path == RingPath::Fastest)
        vectorWidth = width - width % 4;
#endif
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const float v2 = vv[std::size_t(y)];
#ifdef __SSE2__
        for (int x = 0; x < vectorWidth; x += 4)
            renderFour(row + x, uu.data() + x, v2, colours, strength, whiteCore);
#endif
        for (int x = vectorWidth; x < width; ++x)
            renderOne(row[x], uu[std::size_t(x)] + v2, colour, strength, whiteCore);
    }
}
