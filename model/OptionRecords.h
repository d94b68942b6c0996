#pragma once

#include "JpegFileOptions.h"
#include "TextOffsetOptions.h"

#include <QByteArray>

// The byte records the settings store keeps for the two option sets. JPEG: quality, pixel
// format, performance, then one byte each for grayscale, progressive encoding, progressive
// display, smoothing and retain, then 50 zero bytes. Text: indent, then offset, as 32-bit
// little-endian integers, the retain byte and 3 zero bytes.
class OptionRecords
{
public:
    static constexpr int jpegRecordSize = 58;
    static constexpr int textRecordSize = 12;

    static QByteArray encode(const JpegFileOptions& options);
    static QByteArray encode(const TextOffsetOptions& options);

    // A stored record of k bytes replaces the first k bytes of the set's record and leaves the
    // rest. A record longer than the set's is refused: false, and the set stays as it was.
    // Nothing is validated here.
    static bool loadInto(JpegFileOptions& options, const QByteArray& bytes);
    static bool loadInto(TextOffsetOptions& options, const QByteArray& bytes);
};
