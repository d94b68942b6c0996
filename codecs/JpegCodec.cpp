#include "JpegCodec.h"

#include "AtomicOutputFile.h"
#include "ImageLimits.h"
#include "PathBytes.h"
#include "SizeRefusal.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it needs its types.
#include <jerror.h>

// libjpeg's default error handler ends the process. Ours longjmps back into the plain function
// that started the work; those frames hold only POD data (the jobs below).

namespace {

static_assert(JpegCodec::maxSide == JPEG_MAX_DIMENSION);

// Holds the stream of any button; a larger picture's stream grows in libjpeg's own block
// instead, so a huge flat picture does not cost three bytes a pixel up front.
constexpr std::size_t maxScratch = std::size_t(8) << 20;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

constexpr qint64 maxDecoderBytes = qint64(512) << 20;

[[noreturn]] void onError(j_common_ptr cinfo)
{
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    // Asked for more than max_memory_to_use allows (there is no backing store).
    if (cinfo->err->msg_code == JERR_NO_BACKING_STORE)
        std::snprintf(manager->message, sizeof manager->message,
                      "JPEG image needs more than %lld MB to decode",
                      (long long)(maxDecoderBytes >> 20));
    else
        manager->pub.format_message(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// libjpeg only warns about corrupt data (a premature end, a bad Huffman code, a missing
// restart marker, an inconsistent progression, ...) and then pads the picture with grey or
// guesses; such a file is refused instead. A newer JFIF revision alone is harmless.
void onMessage(j_common_ptr cinfo, int level)
{
    if (level < 0 && cinfo->is_decompressor && cinfo->err->msg_code != JWRN_JFIF_MAJOR)
        onError(cinfo);
    if (level < 0)
        ++cinfo->err->num_warnings;
}

// Each scan of a progressive file passes over the whole picture again, so a small file with
// thousands of empty scans would take minutes. Real files have a few dozen at most; the
// largest pictures may have fewer, so that no file costs more than 32 scans of 64 megapixels.
constexpr qint64 maxScans = 500;
constexpr qint64 maxScannedPixels = ImageLimits::maxPixels * 32;

void onProgress(j_common_ptr cinfo)
{
    if (!cinfo->is_decompressor)
        return;
    const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    const qint64 pixels =
        qMax<qint64>(1, qint64(decompress->image_width) * decompress->image_height);
    const qint64 limit = qBound<qint64>(1, maxScannedPixels / pixels, maxScans);
    if (decompress->input_scan_number > limit) {
        auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(manager->message, sizeof manager->message,
                      "Progressive JPEG image has more than %lld scans", (long long)limit);
        std::longjmp(manager->jump, 1);
    }
}

void installErrorManager(ErrorManager* manager)
{
    jpeg_std_error(&manager->pub);
    manager->pub.error_exit = onError;
    manager->pub.emit_message = onMessage;
    manager->message[0] = '\0';
}

struct JpegWriteJob
{
    ErrorManager errors;
    jpeg_compress_struct cinfo;
    bool created;
    const uchar* bits;
    qsizetype bytesPerLine;
    JDIMENSION width;
    JDIMENSION height;
    J_COLOR_SPACE inputSpace;
    int inputComponents;
    int quality;
    bool grayscale;
    bool progressive;
    unsigned char* out;
    unsigned long outSize;
};

bool encodeJpeg(JpegWriteJob* job)
{
    installErrorManager(&job->errors);
    job->cinfo.err = &job->errors.pub;
    if (setjmp(job->errors.jump))
        return false;
    jpeg_create_compress(&job->cinfo);
    job->created = true;
    jpeg_mem_dest(&job->cinfo, &job->out, &job->outSize);
    job->cinfo.image_width = job->width;
    job->cinfo.image_height = job->height;
    job->cinfo.input_components = job->inputComponents;
    job->cinfo.in_color_space = job->inputSpace;
    jpeg_set_defaults(&job->cinfo);
    jpeg_set_quality(&job->cinfo, job->quality, TRUE);
    if (job->grayscale)
        jpeg_set_colorspace(&job->cinfo, JCS_GRAYSCALE);
    if (job->progressive)
        jpeg_simple_progression(&job->cinfo);
    jpeg_start_compress(&job->cinfo, TRUE);
    while (job->cinfo.next_scanline < job->cinfo.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(job->bits + job->cinfo.next_scanline * job->bytesPerLine);
        jpeg_write_scanlines(&job->cinfo, &row, 1);
    }
    jpeg_finish_compress(&job->cinfo);
    return true;
}

struct JpegReadJob
{
    ErrorManager errors;
    jpeg_progress_mgr progress;
    jpeg_decompress_struct cinfo;
    bool created;
    std::FILE* file;
    JDIMENSION width;
    JDIMENSION height;
    bool tooLarge;
    int components;
    bool invertedCmyk;
    bool multipleScans; // so every coefficient is kept until the last scan
    unsigned char* pixels;
};

// Reads the markers up to the first scan and refuses a picture beyond ImageLimits.
bool readJpegHeader(JpegReadJob* job)
{
    installErrorManager(&job->errors);
    job->cinfo.err = &job->errors.pub;
    if (setjmp(job->errors.jump))
        return false;
    jpeg_create_decompress(&job->cinfo);
    job->created = true;
    job->progress.progress_monitor = onProgress;
    job->cinfo.progress = &job->progress;
    jpeg_stdio_src(&job->cinfo, job->file);
    jpeg_read_header(&job->cinfo, TRUE);
    job->width = job->cinfo.image_width;
    job->height = job->cinfo.image_height;
    if (!ImageLimits::fits(job->width, job->height)) {
        job->tooLarge = true;
        return false;
    }
    job->multipleScans = jpeg_has_multiple_scans(&job->cinfo);
    return true;
}

bool decodeJpeg(JpegReadJob* job)
{
    if (!readJpegHeader(job))
        return false;
    // Set again: the frame that set it first has returned.
    if (setjmp(job->errors.jump))
        return false;
    switch (job->cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        job->cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        job->cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        job->cinfo.out_color_space = JCS_RGB;
        break;
    }
    // Adobe applications write CMYK inverted and mark it so.
    job->invertedCmyk = job->cinfo.saw_Adobe_marker;
    // A progressive picture keeps every coefficient until its last scan, next to the pixel
    // buffer below; libjpeg refuses to go past what is left of the budget.
    jpeg_calc_output_dimensions(&job->cinfo);
    const qint64 pixelBytes = qint64(job->cinfo.output_width) * job->cinfo.output_height *
                              job->cinfo.out_color_components;
    job->cinfo.mem->max_memory_to_use = long(qMax<qint64>(1, maxDecoderBytes - pixelBytes));
    jpeg_start_decompress(&job->cinfo);
    job->components = job->cinfo.output_components;
    const std::size_t rowBytes = std::size_t(job->cinfo.output_width) * job->components;
    job->pixels = static_cast<unsigned char*>(std::malloc(rowBytes * job->cinfo.output_height));
    if (!job->pixels)
        ERREXIT1(&job->cinfo, JERR_OUT_OF_MEMORY, 0);
    while (job->cinfo.output_scanline < job->cinfo.output_height) {
        JSAMPROW row = job->pixels + job->cinfo.output_scanline * rowBytes;
        jpeg_read_scanlines(&job->cinfo, &row, 1);
    }
    // jpeg_finish_decompress is left out on purpose: it only looks for the end marker, and a
    // file that lacks just that still holds the whole picture.
    return true;
}

} // namespace

Failure JpegCodec::write(const QString& path, const QImage& bitmap, const JpegFileOptions& options)
{
    if (bitmap.isNull())
        return Failure(Failure::Code::Encode, path).because(FailureReason::EmptyPicture);
    JpegWriteJob job{};
    QImage source = bitmap;
#if defined(JCS_EXTENSIONS)
    const bool direct32 = source.format() == QImage::Format_RGB32;
#else
    const bool direct32 = false;
#endif
    if (direct32) {
#if defined(JCS_EXTENSIONS)
        job.inputSpace =
            QSysInfo::ByteOrder == QSysInfo::LittleEndian ? JCS_EXT_BGRX : JCS_EXT_XRGB;
        job.inputComponents = 4;
#endif
    } else {
        if (source.format() != QImage::Format_RGB888)
            source = source.convertToFormat(QImage::Format_RGB888);
        job.inputSpace = JCS_RGB;
        job.inputComponents = 3;
    }

    job.bits = source.constBits();
    job.bytesPerLine = source.bytesPerLine();
    job.width = JDIMENSION(source.width());
    job.height = JDIMENSION(source.height());
    job.quality = qBound(1, int(options.quality), 100);
    job.grayscale = options.grayscale != 0;
    job.progressive = options.progressiveEncoding != 0;
    // A buffer of the raw size, up to maxScratch, holds nearly every stream; libjpeg grows into
    // its own block (freed below) when not. Kept between writes to spare an allocation per file.
    thread_local std::vector<unsigned char> scratch;
    const std::size_t rawSize = std::size_t(job.width) * job.height * 3 + 4096;
    scratch.resize(std::max(std::min(rawSize, maxScratch), scratch.size()));
    job.out = scratch.data();
    job.outSize = scratch.size();
    const bool encoded = encodeJpeg(&job);
    if (job.created)
        jpeg_destroy_compress(&job.cinfo);
    AtomicOutputFile file(path);
    const bool written = encoded && file.writeAll(job.out, job.outSize);
    if (encoded && job.out != scratch.data())
        std::free(job.out);
    if (!encoded) {
        return Failure(Failure::Code::Encode, path)
            .because(FailureReason::JpegWrite, QString::fromLocal8Bit(job.errors.message));
    }
    return written ? Failure() : file.error();
}

namespace {
// What the decoder holds at its peak: the rows it decodes into, and either every coefficient
// (while a file of several scans is read) or the picture they are copied into.
qint64 decoderBytes(const jpeg_decompress_struct& cinfo, bool multipleScans)
{
    const qint64 pixels = qint64(cinfo.image_width) * cinfo.image_height;
    const int components =
        cinfo.jpeg_color_space == JCS_GRAYSCALE                                    ? 1
        : cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK ? 4
                                                                                   : 3;
    qint64 coefficients = 0;
    for (int i = 0; multipleScans && i < cinfo.num_components; ++i) {
        const jpeg_component_info& c = cinfo.comp_info[i];
        const auto roundUp = [](qint64 n, qint64 step) { return (n + step - 1) / step * step; };
        coefficients += roundUp(c.width_in_blocks, c.h_samp_factor) *
                        roundUp(c.height_in_blocks, c.v_samp_factor) * qint64(sizeof(JBLOCK));
    }
    return pixels * components + qMax(coefficients, pixels * 4) + qint64(cinfo.image_width) * 64;
}

Failure readFailure(const QString& path, const JpegReadJob& job)
{
    if (job.tooLarge)
        return sizeRefusal(path, job.width, job.height);
    return Failure(Failure::Code::Decode, path)
        .because(FailureReason::JpegRead, QString::fromLocal8Bit(job.errors.message));
}
} // namespace

Failure JpegCodec::readHeader(const QString& path, PictureHeader* header)
{
    std::FILE* file = std::fopen(PathBytes::encode(path).constData(), "rb");
    if (!file)
        return Failure::fromErrno(Failure::Code::Open, path);
    JpegReadJob job{};
    job.file = file;
    const bool read = readJpegHeader(&job);
    if (read) {
        header->width = job.width;
        header->height = job.height;
        header->decodeBytes = decoderBytes(job.cinfo, job.multipleScans);
    }
    if (job.created)
        jpeg_destroy_decompress(&job.cinfo);
    std::fclose(file);
    return read ? Failure() : readFailure(path, job);
}

Failure JpegCodec::read(const QString& path, QImage* result)
{
    std::FILE* file = std::fopen(PathBytes::encode(path).constData(), "rb");
    if (!file)
        return Failure::fromErrno(Failure::Code::Open, path);
    JpegReadJob job{};
    job.file = file;
    const bool decoded = decodeJpeg(&job);
    int width = 0, height = 0;
    if (decoded) {
        width = int(job.cinfo.output_width);
        height = int(job.cinfo.output_height);
    }
    if (job.created)
        jpeg_destroy_decompress(&job.cinfo);
    std::fclose(file);

    QImage image;
    if (decoded)
        image = QImage(width, height, QImage::Format_RGB32);
    if (!decoded || image.isNull()) {
        std::free(job.pixels);
        // Decoded, but no memory for the picture: refused for its size too.
        return decoded ? sizeRefusal(path, job.width, job.height) : readFailure(path, job);
    }

    const int channels = job.components;
    for (int y = 0; y < height; ++y) {
        const unsigned char* in = job.pixels + std::size_t(y) * width * channels;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, in += channels) {
            if (channels == 1) {
                out[x] = qRgb(in[0], in[0], in[0]);
            } else if (channels == 3) {
                out[x] = qRgb(in[0], in[1], in[2]);
            } else {
                int c = in[0], m = in[1], yellow = in[2], k = in[3];
                if (!job.invertedCmyk) {
                    c = 255 - c;
                    m = 255 - m;
                    yellow = 255 - yellow;
                    k = 255 - k;
                }
                out[x] = qRgb(c * k / 255, m * k / 255, yellow * k / 255);
            }
        }
    }
    std::free(job.pixels);
    if (result)
        *result = image;
    return Failure();
}
