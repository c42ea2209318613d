#include "Photo.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace photo {
namespace {

int clampByte(double v) { return std::clamp(int(std::lround(v)), 0, 255); }

// Smooth random field: values on a coarse grid, blended with a smoothstep.
class ValueNoise
{
public:
    ValueNoise(int width, int height, int cell, std::mt19937& rng)
        : m_cell(cell), m_cols(width / cell + 2), m_rows(height / cell + 2),
          m_values(std::size_t(m_cols * m_rows))
    {
        std::uniform_real_distribution<double> unit(-1.0, 1.0);
        for (double& v : m_values)
            v = unit(rng);
    }

    double at(int x, int y) const
    {
        const double fx = double(x) / m_cell, fy = double(y) / m_cell;
        const int ix = int(fx), iy = int(fy);
        const double tx = smooth(fx - ix), ty = smooth(fy - iy);
        const double top = lerp(value(ix, iy), value(ix + 1, iy), tx);
        const double bottom = lerp(value(ix, iy + 1), value(ix + 1, iy + 1), tx);
        return lerp(top, bottom, ty);
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    static double lerp(double a, double b, double t) { return a + (b - a) * t; }
    double value(int x, int y) const { return m_values[std::size_t(y * m_cols + x)]; }

    int m_cell, m_cols, m_rows;
    std::vector<double> m_values;
};

template <typename F>
void forEachPixel(QImage& image, F f)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = f(x, y, row[x]);
    }
}

} // namespace

void maskTexture(QImage& image, std::mt19937& rng)
{
    const ValueNoise coarse(image.width(), image.height(), 46, rng);
    const ValueNoise fine(image.width(), image.height(), 9, rng);
    std::normal_distribution<double> grain(0.0, 2.2);
    forEachPixel(image, [&](int x, int y, QRgb px) {
        const double weave = 1.4 * std::sin(x * 1.9) * std::sin(y * 1.9)
                           + 0.9 * std::sin((x + y) * 0.55);
        const double shade = 1.0 + 0.045 * coarse.at(x, y) + 0.02 * fine.at(x, y);
        const double g = grain(rng);
        return qRgb(clampByte(qRed(px) * shade + weave * 0.5 + g),
                    clampByte(qGreen(px) * shade + weave + g),
                    clampByte(qBlue(px) * shade + weave * 0.6 + g));
    });
}

void lighting(QImage& image)
{
    const double w = image.width(), h = image.height();
    const double lx = w * 0.34, ly = h * 0.28; // the lamp's foot point
    const double reach = std::hypot(w, h) * 0.72;
    // The softbox shows as a broad tilted glow on the glossy mask.
    const double angle = -0.55, ca = std::cos(angle), sa = std::sin(angle);
    const double gx = w * 0.30, gy = h * 0.24, sigmaLong = w * 0.42, sigmaShort = h * 0.16;
    forEachPixel(image, [&](int x, int y, QRgb px) {
        const double d = std::hypot(x - lx, y - ly) / reach;
        const double falloff = 1.12 - 0.50 * d * d;
        const double u = ((x - gx) * ca - (y - gy) * sa) / sigmaLong;
        const double v = ((x - gx) * sa + (y - gy) * ca) / sigmaShort;
        const double glow = 24.0 * std::exp(-(u * u + v * v));
        return qRgb(clampByte(qRed(px) * falloff * 1.03 + glow * 0.92),
                    clampByte(qGreen(px) * falloff + glow),
                    clampByte(qBlue(px) * falloff * 0.96 + glow * 0.96));
    });
}

void soften(QImage& image)
{
    const QImage source = image.copy();
    const int w = image.width(), h = image.height();
    static const int kWeights[3] = {1, 2, 1};
    for (int y = 0; y < h; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int r = 0, g = 0, b = 0, total = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int sx = std::clamp(x + dx, 0, w - 1), sy = std::clamp(y + dy, 0, h - 1);
                    const int k = kWeights[dx + 1] * kWeights[dy + 1];
                    const QRgb s = source.pixel(sx, sy);
                    r += qRed(s) * k;
                    g += qGreen(s) * k;
                    b += qBlue(s) * k;
                    total += k;
                }
            out[x] = qRgb((r + total / 2) / total, (g + total / 2) / total, (b + total / 2) / total);
        }
    }
}

void sensorNoise(QImage& image, std::mt19937& rng, double sigma)
{
    std::normal_distribution<double> luma(0.0, sigma);
    std::normal_distribution<double> chroma(0.0, sigma * 0.5);
    forEachPixel(image, [&](int, int, QRgb px) {
        const double l = luma(rng);
        return qRgb(clampByte(qRed(px) + l + chroma(rng)), clampByte(qGreen(px) + l),
                    clampByte(qBlue(px) + l + chroma(rng)));
    });
}

} // namespace photo
