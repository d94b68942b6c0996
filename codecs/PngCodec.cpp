#include "PngCodec.h"

#include "AtomicOutputFile.h"
#include "CodecError.h"
#include "CodecMemoryBuffer.h"

#include <QFile>

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

// libpng reports errors by longjmp. The libpng calls therefore run in plain functions whose frames
// hold only POD data (the jobs below); everything with a destructor lives in the callers.

namespace {

enum class RowLayout
{
    Rgb,  // R, G, B
    Bgrx, // QImage::Format_RGB32 on a little-endian machine
    Xrgb, // QImage::Format_RGB32 on a big-endian machine
};

struct PngWriteJob
{
    std::jmp_buf jump;
    png_structp png;
    png_infop info;
    png_bytepp rows;
    png_uint_32 width;
    png_uint_32 height;
    RowLayout layout;
    CodecMemoryBuffer* out;
};

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

[[noreturn]] void onWriteError(png_structp png, png_const_charp)
{
    std::longjmp(static_cast<PngWriteJob*>(png_get_error_ptr(png))->jump, 1);
}

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

void appendToBuffer(png_structp png, png_bytep data, png_size_t length)
{
    auto* job = static_cast<PngWriteJob*>(png_get_io_ptr(png));
    if (!job->out->append(data, length))
        png_error(png, "Out of memory");
}

void flushNothing(png_structp) {}

// zlib's state for one image is a few blocks of tens of kilobytes. Freed at the top of the
// heap, glibc hands them back to the system and the next image faults them in again, which
// took a fifth of a whole run. Each thread therefore keeps a few such blocks for its next
// image: at most cachedBlocks of at most maxCachedBytes, so a thread never holds more than
// half a megabyte.
constexpr std::size_t minCachedBytes = 4096;
constexpr std::size_t maxCachedBytes = 64 * 1024 + 1024;
constexpr int cachedBlocks = 8;

// Precedes every block, so that freeing knows its size; 16 bytes keep malloc's alignment.
struct alignas(16) BlockHeader
{
    std::size_t size;
};

struct BlockCache
{
    void* blocks[cachedBlocks] = {};
    std::size_t sizes[cachedBlocks] = {};
    int nextVictim = 0;

    ~BlockCache()
    {
        for (void* block : blocks)
            std::free(block);
    }
};

thread_local BlockCache blockCache;

png_voidp allocateBlock(png_structp, png_alloc_size_t size)
{
    BlockCache& cache = blockCache;
    for (int i = 0; i < cachedBlocks; ++i) {
        if (cache.blocks[i] && cache.sizes[i] == size) {
            void* block = cache.blocks[i];
            cache.blocks[i] = nullptr;
            return static_cast<BlockHeader*>(block) + 1;
        }
    }
    if (size > std::numeric_limits<std::size_t>::max() - sizeof(BlockHeader))
        return nullptr;
    auto* header = static_cast<BlockHeader*>(std::malloc(sizeof(BlockHeader) + size));
    if (!header)
        return nullptr;
    header->size = size;
    return header + 1;
}

void releaseBlock(png_structp, png_voidp pointer)
{
    if (!pointer)
        return;
    BlockHeader* header = static_cast<BlockHeader*>(pointer) - 1;
    const std::size_t size = header->size;
    if (size < minCachedBytes || size > maxCachedBytes) {
        std::free(header);
        return;
    }
    BlockCache& cache = blockCache;
    int slot = -1;
    for (int i = 0; i < cachedBlocks && slot < 0; ++i) {
        if (!cache.blocks[i])
            slot = i;
    }
    if (slot < 0) {
        slot = cache.nextVictim;
        cache.nextVictim = (cache.nextVictim + 1) % cachedBlocks;
        std::free(cache.blocks[slot]);
    }
    cache.blocks[slot] = header;
    cache.sizes[slot] = size;
}

// Buttons are flat colours, gradients and text, where libpng's adaptive filter choice rarely
// pays: without it files come out about a quarter smaller and a run about a fifth faster,
// with the same pixels. Even the built-in textured backgrounds (B93-B100) come out 7-32%
// smaller than with the adaptive choice, so no per-image rule is needed.
void setButtonCompression(png_structp png)
{
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 6);
}

bool encodePng(PngWriteJob* job)
{
    if (setjmp(job->jump))
        return false;
    job->png = png_create_write_struct_2(PNG_LIBPNG_VER_STRING, job, onWriteError, ignoreWarning,
                                         nullptr, allocateBlock, releaseBlock);
    if (!job->png)
        return false;
    job->info = png_create_info_struct(job->png);
    if (!job->info)
        return false;
    png_set_write_fn(job->png, job, appendToBuffer, flushNothing);
    setButtonCompression(job->png);
    png_set_IHDR(job->png, job->info, job->width, job->height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(job->png, job->info);
    if (job->layout == RowLayout::Bgrx) {
        png_set_bgr(job->png);
        png_set_filler(job->png, 0, PNG_FILLER_AFTER);
    } else if (job->layout == RowLayout::Xrgb) {
        png_set_filler(job->png, 0, PNG_FILLER_BEFORE);
    }
    png_write_image(job->png, job->rows);
    png_write_end(job->png, nullptr);
    return true;
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

bool PngCodec::writePng(const QString& path, const QImage& bitmap, QString* error)
{
    if (bitmap.isNull()) {
        setCodecError(error, CodecError::EmptyPicture, path);
        return false;
    }
    QImage source = bitmap;
    RowLayout layout = RowLayout::Rgb;
    if (source.format() == QImage::Format_RGB888) {
        layout = RowLayout::Rgb;
    } else {
        if (source.format() != QImage::Format_RGB32)
            source = source.convertToFormat(QImage::Format_RGB32);
        layout = QSysInfo::ByteOrder == QSysInfo::LittleEndian ? RowLayout::Bgrx : RowLayout::Xrgb;
    }

    const int height = source.height();
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y)
        rows[y] = const_cast<png_bytep>(source.constScanLine(y));
    // Filtered pixels deflate to well under the raw size; one allocation covers nearly every
    // button.
    CodecMemoryBuffer out(std::size_t(source.width()) * height * 3 / 2 + 1024);

    PngWriteJob job{};
    job.rows = rows.data();
    job.width = png_uint_32(source.width());
    job.height = png_uint_32(height);
    job.layout = layout;
    job.out = &out;
    const bool encoded = encodePng(&job);
    png_destroy_write_struct(&job.png, job.info ? &job.info : nullptr);
    if (!encoded) {
        setCodecError(error, CodecError::PngWrite);
        return false;
    }
    AtomicOutputFile file(path);
    if (!file.writeAll(out.data(), out.size())) {
        if (file.error().code() == FileError::Code::Create)
            setCodecError(error, CodecError::PngOpenFile, path, file.error().reason());
        else
            setFileError(error, file.error());
        return false;
    }
    return true;
}

bool PngCodec::readPng(const QString& path, QImage* result, QString* error)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file) {
        setCodecError(error, CodecError::PngOpenFile, path,
                      FileError::fromErrno(FileError::Code::Open, path).reason());
        return false;
    }
    PngReadJob job{};
    job.file = file;
    bool decoded = readPngHeader(&job);
    QImage image;
    std::vector<png_bytep> rows;
    if (decoded) {
        image = QImage(int(job.width), int(job.height), QImage::Format_RGB32);
        job.tooLarge = image.isNull(); // out of memory for the picture itself
        decoded = !job.tooLarge;
    }
    if (decoded) {
        rows.resize(job.height);
        for (png_uint_32 y = 0; y < job.height; ++y)
            rows[y] = image.scanLine(int(y));
        job.rows = rows.data();
        decoded = readPngRows(&job);
    }
    png_destroy_read_struct(&job.png, job.info ? &job.info : nullptr, nullptr);
    std::fclose(file);

    if (!decoded) {
        if (job.tooLarge)
            setCodecSizeError(error, path, job.width, job.height);
        else
            setCodecError(error, CodecError::PngRead);
        return false;
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
    return true;
}
