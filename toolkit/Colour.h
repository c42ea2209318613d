#pragma once
// Colour values are 0x00BBGGRR (red in the low byte). A top byte of 0x80 names a system
// colour by its low byte; the page only uses button face.

#include <QRgb>
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clWindow = 0x80000005;
constexpr TColor clWindowText = 0x80000008;

constexpr bool isSystemColor(TColor c) { return (c >> 24) == 0x80; }

// The real colour of a value, as 0x00BBGGRR. System colours are read once from the
// application palette (button face, window, window text).
TColor resolveColor(TColor c);

// The same colour as Qt's 0xAARRGGBB with full alpha.
QRgb toQRgb(TColor c);
