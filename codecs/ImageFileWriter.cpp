#include "ImageFileWriter.h"

#include "GifCodec.h"
#include "JpegCodec.h"
#include "Matte.h"
#include "PngCodec.h"
#include "WebPCodec.h"

#include <algorithm>

ImageFileWriter::ImageFileWriter(const JpegFileOptions& options, QRgb pageColor,
                                 PngCodec::Form pngForm)
    : m_options(options), m_pageColor(pageColor), m_pngForm(pngForm)
{
}

namespace {
// All encoders read RGB32 (ARGB32 with alpha) directly; convert once, not once per format.
QImage direct(const QImage& bitmap)
{
    const QImage::Format format =
        bitmap.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    return bitmap.format() == format ? bitmap : bitmap.convertToFormat(format);
}
} // namespace

QImage ImageFileWriter::overPage(const QImage& bitmap, QRgb pageColor)
{
    QImage opaque(bitmap.size(), QImage::Format_RGB32);
    if (opaque.isNull())
        return opaque;
    const QImage source = bitmap.convertToFormat(QImage::Format_ARGB32);
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        // Most rows are whole; only those along the outline have transparent pixels.
        if (std::all_of(in, in + width, [](QRgb p) { return qAlpha(p) == 255; })) {
            std::copy(in, in + width, out);
            continue;
        }
        for (int x = 0; x < width; ++x)
            out[x] = Matte::over(in[x], pageColor);
    }
    return opaque;
}

bool ImageFileWriter::write(const QImage& bitmap, const QList<Target>& targets)
{
    m_error = Failure();
    m_written = 0;
    const QImage source = direct(bitmap);
    QImage opaque; // made for the first format without alpha
    for (const Target& target : targets) {
        const bool flatten = target.format == Format::Jpeg && source.hasAlphaChannel();
        if (flatten && opaque.isNull())
            opaque = overPage(source, m_pageColor);
        m_error = writeTarget(flatten ? opaque : source, target);
        if (m_error)
            return false;
        ++m_written;
    }
    return true;
}

Failure ImageFileWriter::writeTarget(const QImage& source, const Target& target)
{
    switch (target.format) {
    case Format::Jpeg:
        return JpegCodec::write(target.path, source, m_options);
    case Format::Gif:
        return source.hasAlphaChannel()
                   ? GifCodec::writeTransparent(target.path, source, m_pageColor)
                   : GifCodec::write(target.path, source);
    case Format::WebP:
        return WebPCodec::write(target.path, source);
    case Format::Png:
        break;
    }
    return PngCodec::writePng(target.path, source, m_pngForm);
}

qint64 ImageFileWriter::maxSide(Format format)
{
    switch (format) {
    case Format::Jpeg:
        return JpegCodec::maxSide;
    case Format::Gif:
        return GifCodec::maxSide;
    case Format::WebP:
        return WebPCodec::maxSide;
    case Format::Png:
        break;
    }
    return PngCodec::maxSide;
}
