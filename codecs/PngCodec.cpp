#include "PngCodec.h"

#include "AtomicOutputFile.h"
#include "ImageLimits.h"
#include "PathBytes.h"
#include "PngPalette.h"
#include "SizeRefusal.h"

#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <vector>

// libpng reports errors by longjmp. The libpng calls therefore run in plain functions whose frames
// hold only POD data (the jobs below); everything with a destructor lives in the callers.

namespace {

struct PngReadJob
{
    std::jmp_buf jump;
    png_structp png;
    png_infop info;
    std::FILE* file;
    png_uint_32 width;
    png_uint_32 height;
    bool tooLarge;
    bool hasAlpha;
    png_bytepp rows; // the scan lines of the picture, filled by readPngRows
};

[[noreturn]] void onReadError(png_structp png, png_const_charp)
{
    std::longjmp(static_cast<PngReadJob*>(png_get_error_ptr(png))->jump, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// libpng allocates a chunk's stated length before reading its data, so a file of a hundred
// bytes could take gigabytes. Its own buffers for a picture within our limits are far smaller;
// a refused allocation fails the file or skips the chunk.
constexpr png_alloc_size_t maxLibpngAllocation = 16 * 1024 * 1024;

png_voidp limitedMalloc(png_structp, png_alloc_size_t size)
{
    return size <= maxLibpngAllocation ? std::malloc(size) : nullptr;
}

void plainFree(png_structp, png_voidp memory)
{
    std::free(memory);
}

// One deflate stream per thread and window size, reset for each image instead of set up anew:
// the same bytes without allocating and clearing its tables every time.
class Deflater
{
public:
    ~Deflater()
    {
        for (z_stream& stream : m_streams) {
            if (stream.state)
                deflateEnd(&stream);
        }
    }
    z_stream* stream(int windowBits)
    {
        z_stream& stream = m_streams[windowBits - minWindowBits];
        if (stream.state)
            return deflateReset(&stream) == Z_OK ? &stream : nullptr;
        stream = z_stream{};
        // Level 6 and the default strategy, as libpng chose them for unfiltered rows.
        if (deflateInit2(&stream, 6, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
            stream = z_stream{};
            return nullptr;
        }
        return &stream;
    }

    static constexpr int minWindowBits = 9;

private:
    z_stream m_streams[15 - minWindowBits + 1] = {};
};

thread_local Deflater deflater;

// The smallest window that still holds the whole picture, as libpng picks it: the same
// compression for small pictures, in less memory.
int windowBitsFor(std::uint64_t imageBytes)
{
    int windowBits = 15;
    if (imageBytes <= 16384) {
        std::uint64_t halfWindow = std::uint64_t(1) << (windowBits - 1);
        while (imageBytes + 262 <= halfWindow) {
            halfWindow >>= 1;
            --windowBits;
        }
    }
    return std::max(windowBits, Deflater::minWindowBits);
}

// libpng states the window of a small picture's stream as the smallest that covers it, which
// can be smaller than the one compressed with.
void narrowStatedWindow(unsigned char* stream, std::uint64_t imageBytes)
{
    if (imageBytes > 16384)
        return;
    unsigned cmf = stream[0];
    if ((cmf & 0x0f) != 8 || (cmf & 0xf0) > 0x70)
        return;
    unsigned cinfo = cmf >> 4;
    unsigned halfWindow = 1u << (cinfo + 7);
    if (imageBytes > halfWindow)
        return;
    do {
        halfWindow >>= 1;
        --cinfo;
    } while (cinfo > 0 && imageBytes <= halfWindow);
    cmf = (cmf & 0x0f) | (cinfo << 4);
    stream[0] = (unsigned char)cmf;
    unsigned flags = stream[1] & 0xe0;
    flags += 0x1f - ((cmf << 8) + flags) % 0x1f;
    stream[1] = (unsigned char)flags;
}

void append(std::vector<unsigned char>& file, const unsigned char* bytes, std::size_t count)
{
    const std::size_t at = file.size();
    file.resize(at + count);
    std::memcpy(file.data() + at, bytes, count);
}

void putBig32(unsigned char* at, std::uint32_t value)
{
    at[0] = (unsigned char)(value >> 24);
    at[1] = (unsigned char)(value >> 16);
    at[2] = (unsigned char)(value >> 8);
    at[3] = (unsigned char)value;
}

// The chunk's length and type are in place before data; appends its CRC.
bool closeChunk(std::vector<unsigned char>& file, std::size_t chunkStart)
{
    const std::size_t dataLength = file.size() - chunkStart - 8;
    if (dataLength > 0x7fffffffu)
        return false;
    putBig32(file.data() + chunkStart, std::uint32_t(dataLength));
    const uLong crc = crc32(0, file.data() + chunkStart + 4, uInt(dataLength + 4));
    unsigned char tail[4];
    putBig32(tail, std::uint32_t(crc));
    append(file, tail, 4);
    return true;
}

// Signature and IHDR.
void startPng(std::vector<unsigned char>& file, const QImage& source, int bitDepth, int colourType)
{
    static const unsigned char start[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n',
                                          0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    file.clear();
    append(file, start, sizeof start);
    unsigned char header[13] = {};
    putBig32(header, std::uint32_t(source.width()));
    putBig32(header + 4, std::uint32_t(source.height()));
    header[8] = (unsigned char)bitDepth;
    header[9] = (unsigned char)colourType;
    append(file, header, sizeof header);
    closeChunk(file, 8);
}

// One IDAT of unfiltered rows, each rowBytes long with its filter byte, filled by fill(y, row),
// and IEND. Buttons are flat colours, gradients and text, where a filter rarely pays: without
// one, files come out about a quarter smaller than with libpng's adaptive choice, even on the
// textured built-in backgrounds.
template <typename Fill>
bool finishPng(std::vector<unsigned char>& file, std::size_t rowBytes, int height, Fill fill)
{
    const std::uint64_t imageBytes =
        rowBytes < 32768 && height < 32768 ? std::uint64_t(rowBytes) * height : 0xffffffffu;
    z_stream* stream = deflater.stream(windowBitsFor(imageBytes));
    if (!stream)
        return false;
    const std::size_t idat = file.size();
    static const unsigned char idatType[] = {0, 0, 0, 0, 'I', 'D', 'A', 'T'};
    append(file, idatType, sizeof idatType);
    // Filtered pixels deflate to well under the raw size; one allocation covers nearly every
    // button.
    file.resize(file.size() + std::min<std::size_t>(rowBytes * height / 2 + 1024, 64 << 20));
    std::size_t written = idat + 8;
    thread_local std::vector<unsigned char> row;
    row.resize(rowBytes);
    row[0] = 0; // filter: none
    for (int y = 0; y <= height; ++y) {
        const bool last = y == height;
        if (!last)
            fill(y, row.data() + 1);
        stream->next_in = last ? nullptr : row.data();
        stream->avail_in = last ? 0 : uInt(rowBytes);
        for (;;) {
            if (written == file.size())
                file.resize(file.size() * 2);
            stream->next_out = file.data() + written;
            stream->avail_out = uInt(std::min<std::size_t>(file.size() - written, 1u << 30));
            const int result = deflate(stream, last ? Z_FINISH : Z_NO_FLUSH);
            written = std::size_t(stream->next_out - file.data());
            if (result == Z_STREAM_END)
                break;
            if (result != Z_OK && result != Z_BUF_ERROR)
                return false;
            if (!last && stream->avail_in == 0)
                break;
        }
    }
    file.resize(written);
    narrowStatedWindow(file.data() + idat + 8, imageBytes);
    if (!closeChunk(file, idat))
        return false;
    static const unsigned char end[] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82};
    append(file, end, sizeof end);
    return true;
}

// 8-bit RGB, or RGBA from a picture with alpha.
bool encodePng(const QImage& source, std::vector<unsigned char>& file)
{
    const int width = source.width();
    const bool rgb32 = source.format() == QImage::Format_RGB32;
    const bool rgba = source.format() == QImage::Format_ARGB32;
    const std::size_t rowBytes = std::size_t(width) * (rgba ? 4 : 3) + 1;
    startPng(file, source, 8, rgba ? 6 : 2);
    return finishPng(file, rowBytes, source.height(), [&](int y, unsigned char* out) {
        if (!rgb32 && !rgba) {
            std::memcpy(out, source.constScanLine(y), rowBytes - 1);
            return;
        }
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            *out++ = (unsigned char)qRed(in[x]);
            *out++ = (unsigned char)qGreen(in[x]);
            *out++ = (unsigned char)qBlue(in[x]);
            if (rgba)
                *out++ = (unsigned char)qAlpha(in[x]);
        }
    });
}

// Colour type 3: PLTE, and tRNS for the entries with alpha.
bool encodeIndexed(const QImage& source, const PngPalette& palette,
                   std::vector<unsigned char>& file)
{
    startPng(file, source, palette.bitDepth(), 3);
    const std::size_t plte = file.size();
    static const unsigned char plteType[] = {0, 0, 0, 0, 'P', 'L', 'T', 'E'};
    append(file, plteType, sizeof plteType);
    for (int i = 0; i < palette.count(); ++i) {
        const QRgb c = palette.colour(i);
        const unsigned char rgb[] = {(unsigned char)qRed(c), (unsigned char)qGreen(c),
                                     (unsigned char)qBlue(c)};
        append(file, rgb, sizeof rgb);
    }
    closeChunk(file, plte);
    if (palette.translucentCount() > 0) {
        const std::size_t trns = file.size();
        static const unsigned char trnsType[] = {0, 0, 0, 0, 't', 'R', 'N', 'S'};
        append(file, trnsType, sizeof trnsType);
        for (int i = 0; i < palette.translucentCount(); ++i) {
            const unsigned char alpha = (unsigned char)qAlpha(palette.colour(i));
            append(file, &alpha, 1);
        }
        closeChunk(file, trns);
    }
    return finishPng(file, palette.rowBytes() + 1, source.height(),
                     [&palette](int y, unsigned char* row) { palette.fillRow(y, row); });
}

// Reads the header and sets libpng up to deliver rows straight in QImage::Format_RGB32 layout,
// so that the picture is the only pixel memory: X or A, R, G, B as one native 32-bit value.
bool readPngHeader(PngReadJob* job)
{
    if (setjmp(job->jump))
        return false;
    job->png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, job, onReadError, ignoreWarning,
                                        nullptr, limitedMalloc, plainFree);
    if (!job->png)
        return false;
    job->info = png_create_info_struct(job->png);
    if (!job->info)
        return false;
    png_init_io(job->png, job->file);
    // Our own size limit is checked below with a clear message; libpng's must not come first.
    png_set_user_limits(job->png, 0x7fffffff, 0x7fffffff);
    png_read_info(job->png, job->info);

    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colorType = 0;
    png_get_IHDR(job->png, job->info, &width, &height, &bitDepth, &colorType, nullptr, nullptr,
                 nullptr);
    job->width = width;
    job->height = height;
    if (!ImageLimits::fits(width, height)) {
        job->tooLarge = true;
        return false;
    }

    if (colorType == PNG_COLOR_TYPE_PALETTE && bitDepth <= 8)
        png_set_expand(job->png);
    if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8)
        png_set_expand(job->png);
    if (png_get_valid(job->png, job->info, PNG_INFO_tRNS))
        png_set_expand(job->png);
    if (bitDepth < 8)
        png_set_packing(job->png);
    // Grey and 16-bit files are brought to 8-bit RGB(A) so one compositing step serves all.
    if (bitDepth == 16)
        png_set_scale_16(job->png);
    if ((colorType & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(job->png);
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        png_set_bgr(job->png);
        png_set_filler(job->png, 0xff, PNG_FILLER_AFTER);
    } else {
        png_set_swap_alpha(job->png);
        png_set_filler(job->png, 0xff, PNG_FILLER_BEFORE);
    }
    png_set_interlace_handling(job->png);
    png_read_update_info(job->png, job->info);

    job->hasAlpha = (png_get_color_type(job->png, job->info) & PNG_COLOR_MASK_ALPHA) != 0;
    if (png_get_rowbytes(job->png, job->info) != width * png_size_t(4))
        png_error(job->png, "Unexpected pixel layout");
    return true;
}

bool readPngRows(PngReadJob* job)
{
    if (setjmp(job->jump))
        return false;
    png_read_image(job->png, job->rows);
    return true;
}

} // namespace

namespace {
// The palette file of source when it can be one and comes out smaller than classic, else null.
const std::vector<unsigned char>* smallerIndexed(const QImage& source,
                                                 const std::vector<unsigned char>& classic)
{
    // A megapixel at most: the indices and this file stay a few megabytes a thread.
    thread_local PngPalette palette;
    thread_local std::vector<unsigned char> file;
    if (!palette.collect(source) || !encodeIndexed(source, palette, file))
        return nullptr;
    return file.size() < classic.size() ? &file : nullptr;
}
} // namespace

Failure PngCodec::writePng(const QString& path, const QImage& bitmap, Form form)
{
    if (bitmap.isNull())
        return Failure(Failure::Code::Encode, path).because(FailureReason::EmptyPicture);
    const QImage source =
        bitmap.format() == QImage::Format_RGB888 || bitmap.format() == QImage::Format_RGB32 ||
                bitmap.format() == QImage::Format_ARGB32
            ? bitmap
            : bitmap.convertToFormat(bitmap.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
    // Kept between files up to the size of a large button; a larger one's buffer goes with it.
    constexpr std::size_t keptBytes = std::size_t(1) << 20;
    thread_local std::vector<unsigned char> kept;
    std::vector<unsigned char> own;
    std::vector<unsigned char>& file =
        std::size_t(source.width()) * source.height() * (source.hasAlphaChannel() ? 4 : 3) <=
                keptBytes
            ? kept
            : own;
    bool encoded = false;
    const std::vector<unsigned char>* chosen = &file;
    try {
        encoded = !source.isNull() && encodePng(source, file);
        if (encoded && form == Form::Smallest) {
            if (const std::vector<unsigned char>* indexed = smallerIndexed(source, file))
                chosen = indexed;
        }
    } catch (const std::bad_alloc&) {
        encoded = false;
    }
    if (!encoded)
        return Failure(Failure::Code::Encode, path).because(FailureReason::PngWrite);
    AtomicOutputFile output(path);
    if (output.writeAll(chosen->data(), chosen->size()))
        return Failure();
    // A file that cannot be made at all reads in the codec's own words.
    if (output.error().code() == Failure::Code::Create)
        return output.error().because(FailureReason::PngOpenFile);
    return output.error();
}

namespace {
void closePng(PngReadJob& job)
{
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    std::fclose(job.file);
}

Failure readFailure(const QString& path, const PngReadJob& job)
{
    if (job.tooLarge)
        return sizeRefusal(path, job.width, job.height);
    return Failure(Failure::Code::Decode, path).because(FailureReason::PngRead);
}

// Opens the file and reads its header; on failure nothing is left open.
Failure openPng(const QString& path, PngReadJob& job)
{
    job.file = std::fopen(PathBytes::encode(path).constData(), "rb");
    if (!job.file)
        return Failure::fromErrno(Failure::Code::Open, path).because(FailureReason::PngOpenFile);
    if (readPngHeader(&job))
        return Failure();
    closePng(job);
    return readFailure(path, job);
}
} // namespace

Failure PngCodec::readHeader(const QString& path, PictureHeader* header)
{
    PngReadJob job{};
    if (const Failure failure = openPng(path, job))
        return failure;
    closePng(job);
    header->width = job.width;
    header->height = job.height;
    // Rows go straight into the picture; libpng keeps a row or two and its chunk buffers.
    header->decodeBytes = header->pictureBytes() + 8 * header->width + maxLibpngAllocation;
    return Failure();
}

Failure PngCodec::readPng(const QString& path, QImage* result, QImage* coverage)
{
    PngReadJob job{};
    if (const Failure failure = openPng(path, job))
        return failure;
    QImage image(int(job.width), int(job.height), QImage::Format_RGB32);
    job.tooLarge = image.isNull(); // out of memory for the picture itself
    bool decoded = !job.tooLarge;
    std::vector<png_bytep> rows;
    if (decoded) {
        rows.resize(job.height);
        for (png_uint_32 y = 0; y < job.height; ++y)
            rows[y] = image.scanLine(int(y));
        job.rows = rows.data();
        decoded = readPngRows(&job);
    }
    closePng(job);

    if (!decoded)
        return readFailure(path, job);

    if (job.hasAlpha && coverage) {
        // The rows hold libpng's alpha, though the picture is stated opaque.
        QImage alpha(image.size(), QImage::Format_Grayscale8);
        for (int y = 0; y < image.height() && !alpha.isNull(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            uchar* out = alpha.scanLine(y);
            for (int x = 0; x < image.width(); ++x)
                out[x] = uchar(qAlpha(line[x]));
        }
        *coverage = alpha;
    }
    if (job.hasAlpha) {
        // Transparency is laid over white.
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int a = qAlpha(line[x]);
                const auto blend = [a](int source) { return ((255 - a) * 255 + a * source) / 255; };
                line[x] = qRgb(blend(qRed(line[x])), blend(qGreen(line[x])), blend(qBlue(line[x])));
            }
        }
    }
    if (result)
        *result = image;
    return Failure();
}
