#pragma once

#include <QImage>

#include <cstdint>

class CodecMemoryBuffer;

// Encodes an RGB32 picture as a whole GIF87a file in the web palette, byte for byte as giflib
// does (see GifCodec), without giflib's per-pixel hash look-ups and per-line calls.
class GifEncoder
{
public:
    // False when out runs out of memory. The picture must be RGB32 or ARGB32 and at most
    // 65535 pixels on a side. With a matte the file is GIF89a and its alpha counts: pixels
    // under half covered take the transparent index, the others are laid over the matte.
    static bool encode(const QImage& picture, CodecMemoryBuffer& out, const QRgb* matte = nullptr);

    // The first of the table's spare entries after the web palette.
    static constexpr std::uint8_t transparentIndex = 216;
};
