#pragma once
// The soft coloured ring of a board highlight, blended into a background image in place.
// Plain pixel arithmetic: no widget is needed to call it.

#include "toolkit/Colour.h"

#include <QImage>

// Blends an ellipse-shaped ring that fills the image into its pixels. The image holds the
// background and is QImage::Format_RGB32 (another format is converted to it first).
// strength (0 to 1) is how far the ring colour covers the background; whiteCore draws the
// ring's middle as a white band. Pixels on or outside the ellipse are left as they are.
// An image one pixel wide (or high) is taken as the ellipse's centre line in that
// direction; an empty image is left alone.
void RenderRing(QImage& image, TColor color, float strength, bool whiteCore);

// The same blend one pixel at a time (OnePixelAtATime) or several at once where the
// processor allows (Fastest); both give the same bytes.
enum class RingPath { Fastest, OnePixelAtATime };
void RenderRing(QImage& image, TColor color, float strength, bool whiteCore, RingPath path);
