#pragma once
// Encodes an image as a progressive JFIF 1.01 file at 72 x 72 dots per inch with three
// 8-bit components, through libjpeg.

#include <QByteArray>
#include <QImage>

QByteArray encodeProgressiveJpeg(const QImage& image, int quality);

// The encoding whose size comes nearest to targetBytes over the qualities 20 to 98.
QByteArray encodeNearSize(const QImage& image, qsizetype targetBytes, int* chosenQuality);
