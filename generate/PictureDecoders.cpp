#include "PictureDecoders.h"

#include "GifCodec.h"
#include "JpegCodec.h"
#include "OwnImageLoader.h"
#include "PngCodec.h"

void registerPictureDecoders()
{
    OwnImageLoader::registerDecoder(QStringLiteral("png"), &PngCodec::readPng);
    OwnImageLoader::registerDecoder(QStringLiteral("jpg"), &JpegCodec::read);
    OwnImageLoader::registerDecoder(QStringLiteral("jpeg"), &JpegCodec::read);
    OwnImageLoader::registerDecoder(QStringLiteral("gif"), &GifCodec::read);
}
