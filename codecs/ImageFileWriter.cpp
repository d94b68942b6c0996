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
    const QString webPPath = stem + QLatin1String(".webp");
    if (m_alsoWebP && !WebPCodec::write(webPPath, source, &error))
        return fail(webPPath, error);
    return true;
}

bool ImageFileWriter::fail(const QString& path, const QString& message)
{
    // Some codec texts are fixed and do not name the file.
    m_errorString =
        message.contains(path) ? message : message + QLatin1String(" (") + path + QLatin1Char(')');
    return false;
}
