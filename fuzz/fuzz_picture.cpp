// One picture format as the own-picture loader reads it, on arbitrary bytes. Built once per
// format: FUZZ_PICTURE_EXTENSION picks the reader.
#include "FuzzInputFile.h"
#include "OwnImageLoader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzInputFile input(FUZZ_PICTURE_EXTENSION);
    const QString path = input.write(data, size);
    if (path.isEmpty())
        std::abort(); // a run that reads nothing must not pass
    OwnImageLoader loader;
    if (loader.load(path).isError() != loader.image().isNull())
        std::abort(); // success means a picture, failure means none
    // A picture that decodes was declared by its header, at its size, within its decoder's bytes.
    PictureHeader header;
    const QImage& image = loader.image();
    if (!image.isNull() &&
        (OwnImageLoader::readHeader(path, &header) || header.width != image.width() ||
         header.height != image.height() || header.decodeBytes < header.pictureBytes()))
        std::abort();
    return 0;
}
