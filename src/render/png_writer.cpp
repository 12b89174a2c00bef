#include "render/png_writer.h"

#include <QIODevice>

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <vector>

namespace quarvel {

namespace {

struct Sink
{
    QIODevice *device;
    bool failed = false;
};

void writeBytes(png_structp png, png_bytep data, png_size_t length)
{
    auto *sink = static_cast<Sink *>(png_get_io_ptr(png));
    if (!sink->failed && sink->device->write(reinterpret_cast<const char *>(data), static_cast<qint64>(length)) !=
                             static_cast<qint64>(length))
        sink->failed = true;
}

void flushNothing(png_structp) {}

// One row as RGB bytes, exactly as the conversion to RGB32 gives it.
void toRgb(const QRgb *pixels, int width, bool premultiplied, png_byte *out)
{
    for (int x = 0; x < width; ++x) {
        QRgb p = pixels[x];
        if (premultiplied && qAlpha(p) != 255)
            p = qUnpremultiply(p);
        out[0] = static_cast<png_byte>(qRed(p));
        out[1] = static_cast<png_byte>(qGreen(p));
        out[2] = static_cast<png_byte>(qBlue(p));
        out += 3;
    }
}

} // namespace

bool writePng(const QImage &image, QIODevice &device)
{
    const QImage::Format format = image.format();
    const bool premultiplied = format == QImage::Format_ARGB32_Premultiplied;
    if (!premultiplied && format != QImage::Format_RGB32 && format != QImage::Format_ARGB32)
        return writePng(image.convertToFormat(QImage::Format_RGB32), device);
    if (image.isNull())
        return false;

    Sink sink{&device};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    std::vector<png_byte> row(static_cast<std::size_t>(image.width()) * 3);
    // libpng reports its errors by a jump back to here; nothing below holds a destructor-owning
    // local that is made after this point.
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &sink, writeBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.dotsPerMeterX() > 0 && image.dotsPerMeterY() > 0)
        png_set_pHYs(png, info, static_cast<png_uint_32>(image.dotsPerMeterX()),
                     static_cast<png_uint_32>(image.dotsPerMeterY()), PNG_RESOLUTION_METER);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_strategy(png, Z_RLE);
    png_set_compression_level(png, 1);
    png_write_info(png, info);
    for (int y = 0; y < image.height(); ++y) {
        toRgb(reinterpret_cast<const QRgb *>(image.constScanLine(y)), image.width(), premultiplied, row.data());
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return !sink.failed;
}

} // namespace quarvel
