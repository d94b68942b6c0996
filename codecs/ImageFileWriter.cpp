#include "ImageFileWriter.h"

#include "ErrorText.h"
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
    m_error = Failure();
    const QImage source = rgb32(bitmap);
    for (const ImageFileFormat format :
         {ImageFileFormat::Jpg, ImageFileFormat::Png, ImageFileFormat::Gif}) {
        m_error = writeFormat(source, stem, format);
        if (m_error)
            return false;
    }
    if (m_alsoWebP)
        m_error = writeWebP(source, stem);
    return !m_error;
}

bool ImageFileWriter::writeImage(const QImage& bitmap, const QString& stem, ImageFileFormat format)
{
    const QImage source = rgb32(bitmap);
    m_error = writeFormat(source, stem, format);
    if (!m_error && m_alsoWebP)
        m_error = writeWebP(source, stem);
    return !m_error;
}

QString ImageFileWriter::errorString() const
{
    // Worded here only because generate/ still takes text from this writer.
    return ErrorText::messageWithPath(m_error);
}

Failure ImageFileWriter::writeFormat(const QImage& source, const QString& stem,
                                     ImageFileFormat format)
{
    switch (format) {
    case ImageFileFormat::Jpg:
        return JpegCodec::write(stem + QLatin1String(".jpg"), source, m_options);
    case ImageFileFormat::Gif:
        return GifCodec::write(stem + QLatin1String(".gif"), source);
    case ImageFileFormat::Png:
    case ImageFileFormat::NoChoice:
        break;
    }
    return PngCodec::writePng(stem + QLatin1String(".png"), source);
}

Failure ImageFileWriter::writeWebP(const QImage& source, const QString& stem)
{
    return WebPCodec::write(stem + QLatin1String(".webp"), source);
}
