#pragma once
// JPEG decoding through libjpeg. A stream that is corrupt or cut short is refused with an
// exception, never returned half-decoded.

#include <QByteArray>
#include <QImage>

namespace Jpeg {

// What a stream's header says about it.
struct HeaderInfo
{
    int width = 0;
    int height = 0;
    int components = 0;
    bool progressive = false;
    bool jfif = false;      // a JFIF (APP0) marker was present; the fields below come from it
    int jfifMajor = 0;
    int jfifMinor = 0;
    int densityUnit = 0;    // 0 none (aspect ratio only), 1 dots per inch, 2 dots per cm
    int xDensity = 0;
    int yDensity = 0;
};

// Decodes a whole stream into a QImage::Format_RGB32 image.
// Throws std::runtime_error naming libjpeg's complaint when the data is not a complete,
// valid JPEG stream (libjpeg's warnings, such as premature end of data, count as errors),
// and when its header claims more than 4096 x 4096 pixels.
QImage decode(const QByteArray& data);

// Reads the header only. Throws std::runtime_error as decode does.
HeaderInfo readHeader(const QByteArray& data);

} // namespace Jpeg
