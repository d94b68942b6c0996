#include "CodecError.h"


const char* codecErrorTemplate(CodecError error)
{
    switch (error) {
    case CodecError::None:
        return "";
    case CodecError::PngOpenFile:
        return "Error Opening File %1! %2";
    case CodecError::PngWrite:
        return "Error Writing PNG File!";
    case CodecError::PngRead:
        return "Error Reading File!";
    case CodecError::OpenFile:
        return "Cannot open file \"%1\". %2";
    case CodecError::EmptyPicture:
        return "Cannot write an empty picture to \"%1\".";
    case CodecError::PictureTooLarge:
        return "Picture \"%1\" is too large: %2 (at most 16384 pixels a side and 64 megapixels).";
    case CodecError::PictureEmpty:
        return "Picture \"%1\" is empty: %2.";
    case CodecError::JpegWrite:
        return "Error writing JPEG file \"%1\": %2";
    case CodecError::JpegRead:
        return "Error reading JPEG file \"%1\": %2";
    case CodecError::GifWrite:
        return "Error writing GIF file \"%1\": %2";
    case CodecError::GifRead:
        return "Error reading GIF file \"%1\": %2";
    case CodecError::GifNoImage:
        return "GIF file \"%1\" holds no image.";
    case CodecError::GifNoColorTable:
        return "GIF file \"%1\" has no colour table.";
    case CodecError::WebPWrite:
        return "Error writing WebP file \"%1\": %2";
    case CodecError::WebPRead:
        return "Error reading WebP file \"%1\": %2";
    }
    return "Unknown image file error.";
}

QString codecErrorMessage(CodecError error, const QString& path, const QString& detail)
{
    // Substituted by hand: a path may itself hold "%2".
    const QString text = QString::fromLatin1(codecErrorTemplate(error));
    QString result;
    result.reserve(text.size() + path.size() + detail.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'%' && i + 1 < text.size() &&
            (text[i + 1] == u'1' || text[i + 1] == u'2')) {
            result += text[i + 1] == u'1' ? path : detail;
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

void setCodecError(QString* error, CodecError code, const QString& path, const QString& detail)
{
    if (error)
        *error = codecErrorMessage(code, path, detail);
}

void setFileError(QString* error, const FileError& failure)
{
    if (error)
        *error = failure.message();
}

void setCodecSizeError(QString* error, const QString& path, qint64 width, qint64 height)
{
    const bool empty = ImageLimits::judge(width, height) == ImageLimits::Verdict::Empty;
    setCodecError(error, empty ? CodecError::PictureEmpty : CodecError::PictureTooLarge, path,
                  ImageLimits::sizeText(width, height));
}
