#include "JpegWriter.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

QByteArray encodeProgressiveJpeg(const QImage& source, int quality)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    // libjpeg's default error handler prints the message and exits: right for a tool.
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);

    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 4;
    cinfo.in_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRX : JCS_EXT_XRGB;
    jpeg_set_defaults(&cinfo); // YCbCr, three components, JFIF marker
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_simple_progression(&cinfo);
    cinfo.write_JFIF_header = TRUE;
    cinfo.JFIF_major_version = 1;
    cinfo.JFIF_minor_version = 1;
    cinfo.density_unit = 1; // dots per inch
    cinfo.X_density = 72;
    cinfo.Y_density = 72;

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        auto* row = const_cast<JSAMPLE*>(image.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);

    QByteArray result(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return result;
}

QByteArray encodeNearSize(const QImage& image, qsizetype targetBytes, int* chosenQuality)
{
    QByteArray best;
    for (int quality = 20; quality <= 98; ++quality) {
        QByteArray candidate = encodeProgressiveJpeg(image, quality);
        if (best.isEmpty()
            || std::llabs(candidate.size() - targetBytes) < std::llabs(best.size() - targetBytes)) {
            best = candidate;
            *chosenQuality = quality;
        }
    }
    return best;
}
