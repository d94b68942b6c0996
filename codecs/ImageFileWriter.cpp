#include "ImageFileWriter.h"

#include "GifCodec.h"
#include "JpegCodec.h"
#include "PngCodec.h"
#include "WebPCodec.h"

ImageFileWriter::ImageFileWriter(const JpegFileOptions& options, bool alsoWebP)
    : m_options(options), m_alsoWebP(alsoWebP)
{
}

namespace {
// All encoders read RGB32 directly; convert once, not once per format.
QImage rgb32(const QImage& bitmap)
{
    return bitmap.format() == QImage::Format_RGB32 ? bitmap
                                                   : bitmap.convertToFormat(QImage::Format_RGB32);
}
} // namespace

bool ImageFileWriter::writeButtonImages(const QImage& bitmap, const QString& stem)
{
    m_errorString.clear();
    const QImage source = rgb32(bitmap);
    for (const ImageFileFormat format :
         {ImageFileFormat::Jpg, ImageFileFormat::Png, ImageFileFormat::Gif}) {
        if (!writeFormat(source, stem, format))
            return false;
    }
    return !m_alsoWebP || writeWebP(source, stem);
}

bool ImageFileWriter::writeImage(const QImage& bitmap, const QString& stem, ImageFileFormat format)
{
    m_errorString.clear();
    const QImage source = rgb32(bitmap);
    return writeFormat(source, stem, format) && (!m_alsoWebP || writeWebP(source, stem));
}

bool ImageFileWriter::writeFormat(const QImage& source, const QString& stem, ImageFileFormat format)
{
    QString error;
    QString path;
    bool written = false;
    switch (format) {
    case ImageFileFormat::Jpg:
        path = stem + QLatin1String(".jpg");
        written = JpegCodec::write(path, source, m_options, &error);
        break;
    case ImageFileFormat::Gif:
        path = stem + QLatin1String(".gif");
        written = GifCodec::write(path, source, &error);
        break;
    case ImageFileFormat::Png:
    case ImageFileFormat::NoChoice:
        path = stem + QLatin1String(".png");
        written = PngCodec::writePng(path, source, &error);
        break;
    }
    return written || fail(path, error);
}

bool ImageFileWriter::writeWebP(const QImage& source, const QString& stem)
{
    const QString path = stem + QLatin1String(".webp");
    QString error;
    return WebPCodec::write(path, source, &error) || fail(path, error);
}

bool ImageFileWriter::fail(const QString& path, const QString& message)
{
    // Some codec texts are fixed and do not name the file.
    m_errorString =
        message.contains(path) ? message : message + QLatin1String(" (") + path + QLatin1Char(')');
    return false;
}
