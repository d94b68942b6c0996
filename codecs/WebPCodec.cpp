#include "WebPCodec.h"

#include "AtomicOutputFile.h"
#include "CodecMemoryBuffer.h"
#include "ImageLimits.h"
#include "PathBytes.h"
#include "SizeRefusal.h"

#include <QFile>

#include <webp/decode.h>
#include <webp/encode.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

static_assert(WebPCodec::maxSide == WEBP_MAX_DIMENSION);

// Enough for every header that states the picture's size, whatever chunks follow it.
constexpr qint64 headBytes = 64;
// A file may carry colour profiles and other metadata beside its pixels; beyond this much
// more than the raw pixels it is not a picture we should read into memory.
constexpr qint64 maxBytesBeyondPixels = qint64(16) << 20;

QString encodingErrorText(WebPEncodingError code)
{
    switch (code) {
    case VP8_ENC_ERROR_OUT_OF_MEMORY:
    case VP8_ENC_ERROR_BITSTREAM_OUT_OF_MEMORY:
        return QStringLiteral("out of memory");
    case VP8_ENC_ERROR_BAD_DIMENSION:
        return QStringLiteral("the picture's size does not fit the format");
    case VP8_ENC_ERROR_FILE_TOO_BIG:
        return QStringLiteral("the file would pass 4 GB");
    default:
        return QStringLiteral("libwebp error %1").arg(int(code));
    }
}

QString statusText(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OUT_OF_MEMORY:
        return QStringLiteral("out of memory");
    case VP8_STATUS_UNSUPPORTED_FEATURE:
        return QStringLiteral("the file uses a feature that cannot be read");
    case VP8_STATUS_NOT_ENOUGH_DATA:
        return QStringLiteral("the file is cut short");
    default:
        return QStringLiteral("the file is not a valid WebP picture");
    }
}

int appendToBuffer(const uint8_t* data, size_t size, const WebPPicture* picture)
{
    return static_cast<CodecMemoryBuffer*>(picture->custom_ptr)->append(data, size) ? 1 : 0;
}

// Frees the picture on every way out of write().
struct PictureHolder
{
    WebPPicture picture{}; // freeing a cleared picture is safe, should its set-up fail

    ~PictureHolder() { WebPPictureFree(&picture); }
};

// Flat buttons have this many colours at most: captions drawn without smoothing on one colour
// give five to seven; a textured or smoothed button has well over a hundred.
constexpr int fewColours = 16;

bool hasFewColours(const QImage& image)
{
    std::array<QRgb, fewColours> seen{};
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (x > 0 && line[x] == line[x - 1])
                continue; // most pixels repeat their left neighbour
            if (std::find(seen.begin(), seen.begin() + count, line[x]) != seen.begin() + count)
                continue;
            if (count == fewColours)
                return false;
            seen[count++] = line[x];
        }
    }
    return true;
}

Failure readFailure(const QString& path, const QString& detail)
{
    return Failure(Failure::Code::Decode, path).because(FailureReason::WebPRead, detail);
}

// Opens the file and judges the picture on its header, before the rest of the file is read.
Failure openAndJudge(QFile& file, const QString& path, QByteArray* head,
                     WebPBitstreamFeatures* features)
{
    if (!PathBytes::openForReading(file))
        return Failure::fromErrno(Failure::Code::Open, path);
    *head = file.read(headBytes);
    if (file.error() != QFileDevice::NoError)
        return readFailure(path, file.errorString());
    const VP8StatusCode status = WebPGetFeatures(
        reinterpret_cast<const uint8_t*>(head->constData()), head->size(), features);
    if (status != VP8_STATUS_OK)
        return readFailure(path, statusText(status));
    if (!ImageLimits::fits(features->width, features->height))
        return sizeRefusal(path, features->width, features->height);
    if (features->has_animation)
        return readFailure(path, QStringLiteral("animated pictures cannot be read"));
    if (file.size() > qint64(features->width) * features->height * 4 + maxBytesBeyondPixels)
        return readFailure(path, QStringLiteral("the file is far larger than its picture"));
    return Failure();
}

} // namespace

Failure WebPCodec::write(const QString& path, const QImage& bitmap)
{
    const Failure failed(Failure::Code::Encode, path);
    if (bitmap.isNull())
        return failed.because(FailureReason::EmptyPicture);
    if (bitmap.width() > maxSide || bitmap.height() > maxSide) {
        return failed.because(FailureReason::WebPWrite,
                              QStringLiteral("%1 x %2 pixels is more than %3 pixels a side")
                                  .arg(bitmap.width())
                                  .arg(bitmap.height())
                                  .arg(maxSide));
    }
    const QImage source =
        bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32
            ? bitmap
            : bitmap.convertToFormat(bitmap.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);

    WebPConfig config;
    PictureHolder holder;
    WebPPicture& picture = holder.picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture))
        return failed.because(FailureReason::WebPWrite, QStringLiteral("libwebp mismatch"));
    // Effort 3 of 9 packs buttons as tightly as 4 to 6 do, in about the same time; 9 saves a
    // seventh more at twenty times the time. Below 3 libwebp skips its search for repeated
    // blocks, which leaves textured buttons 45-60% larger but flat ones only 1% larger, in two
    // thirds of the time. Exact keeps the colour of transparent pixels, so that the file
    // decodes to the bitmap.
    WebPConfigLosslessPreset(&config, hasFewColours(source) ? 1 : 3);
    config.exact = 1;
    picture.use_argb = 1;
    picture.width = source.width();
    picture.height = source.height();
    if (!WebPPictureAlloc(&picture)) {
        return failed.because(FailureReason::WebPWrite,
                              encodingErrorText(VP8_ENC_ERROR_OUT_OF_MEMORY));
    }
    // RGB32 pixels are 0xffRRGGBB words and ARGB32 ones 0xAARRGGBB, as libwebp's ARGB are.
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(picture.argb + std::size_t(y) * picture.argb_stride, source.constScanLine(y),
                    std::size_t(source.width()) * 4);

    CodecMemoryBuffer out(std::size_t(source.width()) * source.height() + 1024);
    picture.writer = appendToBuffer;
    picture.custom_ptr = &out;
    if (!WebPEncode(&config, &picture))
        return failed.because(FailureReason::WebPWrite, encodingErrorText(picture.error_code));
    AtomicOutputFile file(path);
    return file.writeAll(out.data(), out.size()) ? Failure() : file.error();
}

Failure WebPCodec::readHeader(const QString& path, PictureHeader* header)
{
    QFile file(path);
    QByteArray head;
    WebPBitstreamFeatures features;
    if (const Failure failure = openAndJudge(file, path, &head, &features))
        return failure;
    header->width = features.width;
    header->height = features.height;
    // The file read whole (twice for a moment), the picture, and a lossless file's own copy of
    // its pixels (an alpha plane for a lossy one).
    const qint64 pixels = header->width * header->height;
    header->decodeBytes = 2 * file.size() + header->pictureBytes() +
                          (features.format == 2 ? 4 * pixels
                           : features.has_alpha ? pixels
                                                : 0) +
                          qint64(64) * header->width;
    return Failure();
}

Failure WebPCodec::read(const QString& path, QImage* result)
{
    QFile file(path);
    QByteArray head;
    WebPBitstreamFeatures features;
    if (const Failure failure = openAndJudge(file, path, &head, &features))
        return failure;
    const auto fail = [&path](const QString& detail) { return readFailure(path, detail); };

    QImage image(features.width, features.height, QImage::Format_ARGB32);
    if (image.isNull())
        return sizeRefusal(path, features.width, features.height);
    const QByteArray data = head + file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());

    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return fail(QStringLiteral("libwebp mismatch"));
    // Decoded straight into the picture: ARGB32 words in memory order.
    config.output.colorspace =
        QSysInfo::ByteOrder == QSysInfo::LittleEndian ? MODE_BGRA : MODE_ARGB;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = image.bits();
    config.output.u.RGBA.stride = int(image.bytesPerLine());
    config.output.u.RGBA.size = std::size_t(image.sizeInBytes());
    const VP8StatusCode status =
        WebPDecode(reinterpret_cast<const uint8_t*>(data.constData()), data.size(), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        return fail(statusText(status));
    if (!features.has_alpha)
        image.reinterpretAsFormat(QImage::Format_RGB32);
    if (result)
        *result = image;
    return Failure();
}
