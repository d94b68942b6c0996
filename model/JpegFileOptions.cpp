#include "JpegFileOptions.h"

const JpegFileOptions& JpegFileOptions::defaults()
{
    static const JpegFileOptions d;
    return d;
}

void JpegFileOptions::validate()
{
    const JpegFileOptions& d = defaults();
    if (quality < 1 || quality > 100)
        quality = d.quality;
    if (pixelFormat > 1)
        pixelFormat = d.pixelFormat;
    if (performance > 1)
        performance = d.performance;
}
