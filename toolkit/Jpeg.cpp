#include "Jpeg.h"

#include <QtGlobal>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include <jpeglib.h>

namespace Jpeg {
namespace {

// libjpeg reports errors through a callback that must not return. We jump back to the
// setjmp of the function that called libjpeg; only libjpeg's C frames lie between, so no
// destructor is skipped.
struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Level -1 is a warning: the stream is damaged (e.g. cut short) and libjpeg would go on
// with made-up data. We refuse it instead. Trace messages (level >= 0) are ignored.
void emitMessage(j_common_ptr cinfo, int level)
{
    if (level < 0)
        errorExit(cinfo);
}

// The most pixels decoded: 64 MB as RGB32, far beyond the 600 x 598 board photograph.
constexpr std::uint64_t kMaxPixels = 4096 * 4096;

// Bytes blue, green, red, 0xFF in memory: QImage::Format_RGB32 on this machine.
constexpr J_COLOR_SPACE kRgb32Space =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

struct Decoder
{
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    const QByteArray& data;

    explicit Decoder(const QByteArray& bytes) : data(bytes)
    {
        cinfo.err = jpeg_std_error(&err.pub);
        err.pub.error_exit = errorExit;
        err.pub.emit_message = emitMessage;
    }
    // Also right for a struct that creation never reached: libjpeg frees only what it made.
    ~Decoder() { jpeg_destroy_decompress(&cinfo); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    [[noreturn]] void fail() const
    {
        throw std::runtime_error(std::string("Cannot decode JPEG image: ") + err.message);
    }
};

// Every libjpeg call may jump back to the setjmp of the function that makes it, so each
// such function keeps only trivial locals; the C++ objects live in the caller.
void openAndReadHeader(Decoder& d)
{
    jpeg_create_decompress(&d.cinfo);
    jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(d.data.constData()),
                 static_cast<unsigned long>(d.data.size()));
    jpeg_read_header(&d.cinfo, TRUE);
}

bool tooLarge(Decoder& d, unsigned width, unsigned height)
{
    std::snprintf(d.err.message, sizeof d.err.message, "image of %ux%u pixels too large", width, height);
    return false;
}

bool readHeaderInto(Decoder& d, HeaderInfo& info)
{
    if (setjmp(d.err.jump))
        return false;
    openAndReadHeader(d);
    const jpeg_decompress_struct& c = d.cinfo;
    info.width = int(c.image_width);
    info.height = int(c.image_height);
    info.components = c.num_components;
    info.progressive = c.progressive_mode != 0;
    info.jfif = c.saw_JFIF_marker != 0;
    info.jfifMajor = c.JFIF_major_version;
    info.jfifMinor = c.JFIF_minor_version;
    info.densityUnit = c.density_unit;
    info.xDensity = c.X_density;
    info.yDensity = c.Y_density;
    return true;
}

bool decodeInto(Decoder& d, QImage& image)
{
    if (setjmp(d.err.jump))
        return false;
    openAndReadHeader(d);
    // A header of a few bytes can claim 65500 x 65500 pixels; libjpeg and the image would
    // reserve gigabytes for it before the missing data shows. Refuse it from the header.
    if (std::uint64_t(d.cinfo.image_width) * d.cinfo.image_height > kMaxPixels)
        return tooLarge(d, d.cinfo.image_width, d.cinfo.image_height);
    d.cinfo.out_color_space = kRgb32Space;
    jpeg_start_decompress(&d.cinfo);
    image = QImage(int(d.cinfo.output_width), int(d.cinfo.output_height), QImage::Format_RGB32);
    if (image.isNull())
        return tooLarge(d, d.cinfo.output_width, d.cinfo.output_height);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        JSAMPROW row = image.scanLine(int(d.cinfo.output_scanline));
        jpeg_read_scanlines(&d.cinfo, &row, 1);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

} // namespace

QImage decode(const QByteArray& data)
{
    Decoder d(data);
    QImage image;
    if (!decodeInto(d, image))
        d.fail();
    return image;
}

HeaderInfo readHeader(const QByteArray& data)
{
    Decoder d(data);
    HeaderInfo info;
    if (!readHeaderInto(d, info))
        d.fail();
    return info;
}

} // namespace Jpeg
