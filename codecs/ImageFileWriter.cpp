#include "ImageFileWriter.h"

#include "GifCodec.h"
#include "JpegCodec.h"
#include "PngCodec.h"
#include "WebPCodec.h"

ImageFileWriter::ImageFileWriter(const JpegFileOptions& options) : m_options(options) {}

namespace {
// All encoders read RGB32 directly; convert once, not once per format.
QImage rgb32(const QImage& bitmap)
{
    return bitmap.format() == QImage::Format_RGB32 ? bitmap
                                                   : bitmap.convertToFormat(QImage::Format_RGB32);
}
} // namespace

bool ImageFileWriter::write(const QImage& bitmap, const QList<Target>& targets)
{
    m_error = Failure();
    const QImage source = rgb32(bitmap);
    for (const Target& target : targets) {
        m_error = writeTarget(source, target);
        if (m_error)
            return false;
    }
    return true;
}

Failure ImageFileWriter::writeTarget(const QImage& source, const Target& target)
{
    switch (target.format) {
    case Format::Jpeg:
        return JpegCodec::write(target.path, source, m_options);
    case Format::Gif:
        return GifCodec::write(target.path, source);
    case Format::WebP:
        return WebPCodec::write(target.path, source);
    case Format::Png:
        break;
    }
    return PngCodec::writePng(target.path, source);
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
