#pragma once

#include <QImage>

class CodecMemoryBuffer;

// Encodes an RGB32 picture as a whole GIF87a file in the web palette, byte for byte as giflib
// does (see GifCodec), without giflib's per-pixel hash look-ups and per-line calls.
class GifEncoder
{
public:
    // False when out runs out of memory. The picture must be RGB32 or ARGB32 and at most
    // 65535 pixels on a side.
    static bool encode(const QImage& picture, CodecMemoryBuffer& out);
};
