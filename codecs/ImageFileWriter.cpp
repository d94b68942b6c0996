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
    m_errorString.clear();
    const QImage source = rgb32(bitmap);
    for (const Target& target : targets) {
        if (!writeTarget(source, target))
            return false;
    }
    return true;
}

bool ImageFileWriter::writeTarget(const QImage& source, const Target& target)
{
    const QString& path = target.path;
    QString error;
    bool written = false;
    switch (target.format) {
    case Format::Jpeg:
        written = JpegCodec::write(path, source, m_options, &error);
        break;
    case Format::Gif:
        written = GifCodec::write(path, source, &error);
        break;
    case Format::Png:
        written = PngCodec::writePng(path, source, &error);
        break;
    case Format::WebP:
        written = WebPCodec::write(path, source, &error);
        break;
    }
    return written || fail(path, error);
}

bool ImageFileWriter::fail(const QString& path, const QString& message)
{
    // Some codec texts are fixed and do not name the file.
    m_errorString =
        message.contains(path) ? message : message + QLatin1String(" (") + path + QLatin1Char(')');
    return false;
}
