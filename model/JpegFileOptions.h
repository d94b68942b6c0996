#pragma once

#include <QtGlobal>

// How JPEG files are written (and, for the display-only fields, decoded).
struct JpegFileOptions
{
    quint8 quality = 90;    // 1..100
    quint8 pixelFormat = 0; // 0 = 24-bit, 1 = 8-bit
    quint8 performance = 0; // 0 = best quality, 1 = best speed
    quint8 grayscale = 0;   // booleans are bytes: any non-zero value is true
    quint8 progressiveEncoding = 0;
    quint8 progressiveDisplay = 0;
    quint8 smoothing = 1;
    quint8 retainSettings = 0;

    static const JpegFileOptions& defaults();
    // Replaces out-of-range values by the defaults, silently.
    void validate();

    bool operator==(const JpegFileOptions&) const = default;
};
