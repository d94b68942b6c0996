#pragma once

#include "FileError.h"
#include "ImageLimits.h"

#include <QString>

// Why an image file could not be written or read, where the image format has its own words.
// Every value has one message template in which %1 stands for the file's path and %2 for the
// detail (a FileError's reason or library text). Other file failures read as FileError words them.
enum class CodecError
{
    None,
    PngOpenFile,
    PngWrite,
    PngRead,
    OpenFile,
    EmptyPicture,
    PictureTooLarge,
    PictureEmpty,
    JpegWrite,
    JpegRead,
    GifWrite,
    GifRead,
    GifNoImage,
    GifNoColorTable,
    WebPWrite,
    WebPRead,
};

const char* codecErrorTemplate(CodecError error);
QString codecErrorMessage(CodecError error, const QString& path = QString(),
                          const QString& detail = QString());
// Stores the message in *error when error is not null.
void setCodecError(QString* error, CodecError code, const QString& path = QString(),
                   const QString& detail = QString());
// Stores failure.message() in *error when error is not null.
void setFileError(QString* error, const FileError& failure);
// The message for a size that ImageLimits refuses: empty or too large.
void setCodecSizeError(QString* error, const QString& path, qint64 width, qint64 height);
