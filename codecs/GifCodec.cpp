#include "GifCodec.h"

#include "AtomicOutputFile.h"
#include "CodecMemoryBuffer.h"
#include "GifEncoder.h"
#include "ImageLimits.h"
#include "PathBytes.h"
#include "SizeRefusal.h"

#include <gif_lib.h>

#include <array>
#include <vector>

namespace {

QString gifErrorText(int code)
{
    const char* text = GifErrorString(code);
    return text ? QString::fromLatin1(text) : QStringLiteral("GIF error %1").arg(code);
}

// The decoder of one file, closed on every way out of read().
struct GifReader
{
    GifFileType* gif = nullptr;
    QString path;
    int transparentIndex = NO_TRANSPARENT_COLOR;

    ~GifReader()
    {
        if (gif) {
            int ignored = 0;
            DGifCloseFile(gif, &ignored);
        }
    }
    Failure failed(FailureReason reason, const QString& detail = QString()) const
    {
        return Failure(Failure::Code::Decode, path).because(reason, detail);
    }
    // What giflib said about the call that just failed.
    Failure libraryFailed() const
    {
        return failed(FailureReason::GifRead, gifErrorText(gif->Error));
    }
};

QRgb mapColor(const ColorMapObject* map, int index)
{
    if (!map || index < 0 || index >= map->ColorCount)
        return qRgb(0, 0, 0);
    const GifColorType& c = map->Colors[index];
    return qRgb(c.Red, c.Green, c.Blue);
}

Failure open(GifReader& reader)
{
    int code = 0;
    reader.gif = DGifOpenFileName(PathBytes::encode(reader.path).constData(), &code);
    if (!reader.gif) {
        if (code == D_GIF_ERR_OPEN_FAILED)
            return Failure::fromErrno(Failure::Code::Open, reader.path);
        return reader.failed(FailureReason::GifRead, gifErrorText(code));
    }
    if (!ImageLimits::fits(reader.gif->SWidth, reader.gif->SHeight))
        return sizeRefusal(reader.path, reader.gif->SWidth, reader.gif->SHeight);
    return Failure();
}

// Reads an extension, taking the transparent index from a graphics control block.
Failure readExtension(GifReader& reader)
{
    GifFileType* gif = reader.gif;
    int function = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &function, &block) != GIF_OK)
        return reader.libraryFailed();
    if (function == GRAPHICS_EXT_FUNC_CODE && block) {
        GraphicsControlBlock control{};
        if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
            reader.transparentIndex = control.TransparentColor;
    }
    while (block) {
        if (DGifGetExtensionNext(gif, &block) != GIF_OK)
            return reader.libraryFailed();
    }
    return Failure();
}

// Reads records up to and including the first image's descriptor.
Failure findFirstFrame(GifReader& reader)
{
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(reader.gif, &record) != GIF_OK)
            return reader.libraryFailed();
        if (record == TERMINATE_RECORD_TYPE)
            return reader.failed(FailureReason::GifNoImage);
        if (record == EXTENSION_RECORD_TYPE) {
            if (const Failure failure = readExtension(reader))
                return failure;
        } else if (record == IMAGE_DESC_RECORD_TYPE) {
            return DGifGetImageDesc(reader.gif) == GIF_OK ? Failure() : reader.libraryFailed();
        }
    }
}

// The screen in its background colour (from the global table; white if there is none).
QImage emptyScreen(const GifFileType* gif)
{
    QImage image(gif->SWidth, gif->SHeight, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const bool hasBackground = gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount;
    image.fill(hasBackground ? mapColor(gif->SColorMap, gif->SBackGroundColor)
                             : qRgb(255, 255, 255));
    return image;
}

// Lays the frame's rows onto the screen; transparent pixels are white, and 0 in coverage
// where that is not null (255 elsewhere).
Failure drawFrame(GifReader& reader, const ColorMapObject* map, QImage& image, QImage& coverage)
{
    GifFileType* gif = reader.gif;
    const GifImageDesc& frame = gif->Image;
    std::array<QRgb, 256> palette;
    for (int i = 0; i < 256; ++i)
        palette[i] = i == reader.transparentIndex ? qRgb(255, 255, 255) : mapColor(map, i);

    // Interlaced frames arrive as four passes over the rows.
    static const int passStart[] = {0, 4, 2, 1};
    static const int passStep[] = {8, 8, 4, 2};
    std::vector<GifPixelType> line(std::size_t(frame.Width));
    const int passes = frame.Interlace ? 4 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int start = frame.Interlace ? passStart[pass] : 0;
        const int step = frame.Interlace ? passStep[pass] : 1;
        for (int row = start; row < frame.Height; row += step) {
            if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK)
                return reader.libraryFailed();
            const int y = frame.Top + row;
            if (y >= image.height())
                continue;
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < frame.Width && frame.Left + x < image.width(); ++x)
                out[frame.Left + x] = palette[line[x]];
            uchar* shape = coverage.isNull() ? nullptr : coverage.scanLine(y);
            for (int x = 0; shape && x < frame.Width && frame.Left + x < image.width(); ++x)
                shape[frame.Left + x] = line[x] == reader.transparentIndex ? 0 : 255;
        }
    }
    return Failure();
}

} // namespace

Failure GifCodec::write(const QString& path, const QImage& bitmap)
{
    return write(path, bitmap, nullptr);
}

Failure GifCodec::writeTransparent(const QString& path, const QImage& bitmap, QRgb matte)
{
    return write(path, bitmap.convertToFormat(QImage::Format_ARGB32), &matte);
}

Failure GifCodec::write(const QString& path, const QImage& bitmap, const QRgb* matte)
{
    const Failure failed(Failure::Code::Encode, path);
    if (bitmap.isNull())
        return failed.because(FailureReason::EmptyPicture);
    if (bitmap.width() > maxSide || bitmap.height() > maxSide)
        return failed.because(FailureReason::GifWrite, gifErrorText(E_GIF_ERR_DATA_TOO_BIG));
    const QImage source =
        bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32
            ? bitmap
            : bitmap.convertToFormat(QImage::Format_RGB32);
    // The palette indexes and the LZW codes of a button take about a byte a pixel at most.
    CodecMemoryBuffer out(std::size_t(source.width()) * source.height() + 2048);
    if (source.isNull() || !GifEncoder::encode(source, out, matte))
        return failed.because(FailureReason::GifWrite, gifErrorText(E_GIF_ERR_NOT_ENOUGH_MEM));
    AtomicOutputFile file(path);
    return file.writeAll(out.data(), out.size()) ? Failure() : file.error();
}

Failure GifCodec::read(const QString& path, QImage* result, QImage* coverage)
{
    GifReader reader;
    reader.path = path;
    if (const Failure failure = open(reader))
        return failure;
    if (const Failure failure = findFirstFrame(reader))
        return failure;
    const GifFileType* gif = reader.gif;
    const GifImageDesc& frame = gif->Image;
    if (!ImageLimits::fits(frame.Width, frame.Height))
        return sizeRefusal(path, frame.Width, frame.Height);
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map)
        return reader.failed(FailureReason::GifNoColorTable);
    QImage image = emptyScreen(gif);
    if (image.isNull())
        return sizeRefusal(path, gif->SWidth, gif->SHeight);
    QImage shape;
    if (coverage && reader.transparentIndex != NO_TRANSPARENT_COLOR) {
        shape = QImage(image.size(), QImage::Format_Grayscale8);
        if (shape.isNull())
            return sizeRefusal(path, gif->SWidth, gif->SHeight);
        shape.fill(255);
    }
    if (const Failure failure = drawFrame(reader, map, image, shape))
        return failure;
    if (result)
        *result = image;
    if (coverage)
        *coverage = shape;
    return Failure();
}

Failure GifCodec::readHeader(const QString& path, PictureHeader* header)
{
    GifReader reader;
    reader.path = path;
    if (const Failure failure = open(reader))
        return failure;
    // The screen is the picture; a frame is decoded a line at a time.
    header->width = reader.gif->SWidth;
    header->height = reader.gif->SHeight;
    header->decodeBytes = header->pictureBytes() + header->width;
    return Failure();
}
