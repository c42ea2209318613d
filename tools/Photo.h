#pragma once
// Pixel passes that turn a clean drawing into something that looks photographed:
// solder-mask texture, uneven lighting, lens softness and sensor noise.

#include <QImage>

#include <random>

namespace photo {

// Mottled mask thickness, the glass-fibre weave under it and fine grain.
void maskTexture(QImage& image, std::mt19937& rng);

// Light from the upper left: brighter there, falling off towards the far corners, with
// a broad sheen on the glossy mask.
void lighting(QImage& image);

// A light 3 x 3 binomial blur.
void soften(QImage& image);

// Per-pixel sensor noise of the given standard deviation.
void sensorNoise(QImage& image, std::mt19937& rng, double sigma);

} // namespace photo
