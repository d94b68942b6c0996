#pragma once

#include "ImageLimits.h"

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
    PictureEmpty,
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
// The message for a size that ImageLimits refuses: empty or too large.
void setCodecSizeError(QString* error, const QString& path, qint64 width, qint64 height);
