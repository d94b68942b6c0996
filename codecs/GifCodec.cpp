#include "GifCodec.h"

#include "AtomicOutputFile.h"
#include "CodecError.h"
#include "CodecMemoryBuffer.h"
#include "GifEncoder.h"

#include <QFile>

#include <gif_lib.h>

#include <array>
#include <vector>

namespace {

QString gifErrorText(int code)
{
    const char* text = GifErrorString(code);
    return text ? QString::fromLatin1(text) : QStringLiteral("GIF error %1").arg(code);
}

// Closes the decoder on every way out of read().
struct GifReader
{
    GifFileType* gif = nullptr;
    ~GifReader()
    {
        if (gif) {
            int ignored = 0;
            DGifCloseFile(gif, &ignored);
        }
    }
};

QRgb mapColor(const ColorMapObject* map, int index)
{
    if (!map || index < 0 || index >= map->ColorCount)
        return qRgb(0, 0, 0);
    const GifColorType& c = map->Colors[index];
    return qRgb(c.Red, c.Green, c.Blue);
}

} // namespace

bool GifCodec::write(const QString& path, const QImage& bitmap, QString* error)
{
    if (bitmap.isNull()) {
        setCodecError(error, CodecError::EmptyPicture, path);
        return false;
    }
    if (bitmap.width() > 65535 || bitmap.height() > 65535) {
        setCodecError(error, CodecError::GifWrite, path, gifErrorText(E_GIF_ERR_DATA_TOO_BIG));
        return false;
    }
    const QImage source =
        bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32
            ? bitmap
            : bitmap.convertToFormat(QImage::Format_RGB32);
    // The palette indexes and the LZW codes of a button take about a byte a pixel at most.
    CodecMemoryBuffer out(std::size_t(source.width()) * source.height() + 2048);
    if (source.isNull() || !GifEncoder::encode(source, out)) {
        setCodecError(error, CodecError::GifWrite, path, gifErrorText(E_GIF_ERR_NOT_ENOUGH_MEM));
        return false;
    }
    AtomicOutputFile file(path);
    if (!file.writeAll(out.data(), out.size())) {
        setFileError(error, file.error());
        return false;
    }
    return true;
}

bool GifCodec::read(const QString& path, QImage* result, QString* error)
{
    int code = 0;
    GifReader reader;
    reader.gif = DGifOpenFileName(QFile::encodeName(path).constData(), &code);
    if (!reader.gif) {
        if (code == D_GIF_ERR_OPEN_FAILED)
            setFileError(error, FileError::fromErrno(FileError::Code::Open, path));
        else
            setCodecError(error, CodecError::GifRead, path, gifErrorText(code));
        return false;
    }
    GifFileType* gif = reader.gif;
    const int screenWidth = gif->SWidth;
    const int screenHeight = gif->SHeight;
    if (!ImageLimits::fits(screenWidth, screenHeight)) {
        setCodecSizeError(error, path, screenWidth, screenHeight);
        return false;
    }
    const auto readFailed = [&] {
        setCodecError(error, CodecError::GifRead, path, gifErrorText(gif->Error));
        return false;
    };

    int transparentIndex = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &record) != GIF_OK)
            return readFailed();
        if (record == TERMINATE_RECORD_TYPE) {
            setCodecError(error, CodecError::GifNoImage, path);
            return false;
        }
        if (record == EXTENSION_RECORD_TYPE) {
            int function = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &function, &block) != GIF_OK)
                return readFailed();
            if (function == GRAPHICS_EXT_FUNC_CODE && block) {
                GraphicsControlBlock control{};
                if (DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                    transparentIndex = control.TransparentColor;
            }
            while (block) {
                if (DGifGetExtensionNext(gif, &block) != GIF_OK)
                    return readFailed();
            }
            continue;
        }
        if (record != IMAGE_DESC_RECORD_TYPE)
            continue;

        if (DGifGetImageDesc(gif) != GIF_OK)
            return readFailed();
        const GifImageDesc& frame = gif->Image;
        if (!ImageLimits::fits(frame.Width, frame.Height)) {
            setCodecSizeError(error, path, frame.Width, frame.Height);
            return false;
        }
        const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
        if (!map) {
            setCodecError(error, CodecError::GifNoColorTable, path);
            return false;
        }

        QImage image(screenWidth, screenHeight, QImage::Format_RGB32);
        if (image.isNull()) {
            setCodecSizeError(error, path, screenWidth, screenHeight);
            return false;
        }
        const bool hasBackground =
            gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount;
        image.fill(hasBackground ? mapColor(gif->SColorMap, gif->SBackGroundColor)
                                 : qRgb(255, 255, 255));

        std::array<QRgb, 256> palette;
        for (int i = 0; i < 256; ++i)
            palette[i] = i == transparentIndex ? qRgb(255, 255, 255) : mapColor(map, i);

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
                    return readFailed();
                const int y = frame.Top + row;
                if (y >= screenHeight)
                    continue;
                auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
                for (int x = 0; x < frame.Width && frame.Left + x < screenWidth; ++x)
                    out[frame.Left + x] = palette[line[x]];
            }
        }
        if (result)
            *result = image;
        return true;
    }
}
