#include "ImageFileWriter.h"

#include "GifCodec.h"
#include "JpegCodec.h"
#include "PngCodec.h"
#include "WebPCodec.h"

ImageFileWriter::ImageFileWriter(const JpegFileOptions& options, bool alsoWebP)
    : m_options(options), m_alsoWebP(alsoWebP)
{
}

bool ImageFileWriter::writeButtonImages(const QImage& bitmap, const QString& stem)
{
    m_errorString.clear();
    // All encoders read RGB32 directly; convert once, not once per format.
    const QImage source = bitmap.format() == QImage::Format_RGB32
                              ? bitmap
                              : bitmap.convertToFormat(QImage::Format_RGB32);
    QString error;
    const QString jpegPath = stem + QLatin1String(".jpg");
    if (!JpegCodec::write(jpegPath, source, m_options, &error))
        return fail(jpegPath, error);
    const QString pngPath = stem + QLatin1String(".png");
    if (!PngCodec::writePng(pngPath, source, &error))
        return fail(pngPath, error);
    const QString gifPath = stem + QLatin1String(".gif");
    if (!GifCodec::write(gifPath, source, &error))
        return fail(gifPath, error);
    return !m_alsoWebP || writeWebP(source, stem);
}

bool ImageFileWriter::writeWebP(const QImage& source, const QString& stem)
{
    const QString path = stem + QLatin1String(".webp");
    QString error;
    return WebPCodec::write(path, source, &error) || fail(path, error);
}

bool ImageFileWriter::writeImage(const QImage& bitmap, const QString& stem, ImageFileFormat format)
{
    m_errorString.clear();
    const QImage source = bitmap.format() == QImage::Format_RGB32
                              ? bitmap
                              : bitmap.convertToFormat(QImage::Format_RGB32);
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
    if (!written)
        return fail(path, error);
    return !m_alsoWebP || writeWebP(source, stem);
}

bool ImageFileWriter::fail(const QString& path, const QString& message)
{
    // Some codec texts are fixed and do not name the file.
    m_errorString =
        message.contains(path) ? message : message + QLatin1String(" (") + path + QLatin1Char(')');
    return false;
}
