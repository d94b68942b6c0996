#pragma once

#include <QString>

// Why an image file could not be written or read. Every value has one message template in which
// %1 stands for the file's path and %2 for the detail (system or library text).
enum class CodecError
{
    None,
    PngOpenFile,
    PngWrite,
    PngRead,
    CreateFile,
    OpenFile,
    WriteFile,
    EmptyPicture,
    PictureTooLarge,
    JpegWrite,
    JpegRead,
    GifWrite,
    GifRead,
    GifNoImage,
    GifNoColorTable,
};

const char* codecErrorTemplate(CodecError error);
QString codecErrorMessage(CodecError error, const QString& path = QString(),
                          const QString& detail = QString());
// Stores the message in *error when error is not null.
void setCodecError(QString* error, CodecError code, const QString& path = QString(),
                   const QString& detail = QString());
// The text of the current errno, for the %2 of file errors.
QString codecSystemErrorText(int errorNumber);

// Decoders refuse a file before allocating anything for its pixels when it claims more than
// this. 64 megapixels is 2^26 pixels, an 8192 x 8192 square.
namespace CodecLimits {
constexpr qint64 MaxSide = 16384;
constexpr qint64 MaxPixels = qint64(1) << 26;
constexpr bool allowed(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width <= MaxSide && height <= MaxSide &&
           width * height <= MaxPixels;
}
QString sizeText(qint64 width, qint64 height);
} // namespace CodecLimits
