// Writes the seed corpora into fuzz/corpus/<target>/: pictures from our own encoders, small
// hand-made files for the variants they never write (palettes, transparency, interlacing,
// every bitmap depth and run-length coding, lossy WebP), and projects from our own writer.
// Usage: make-fuzz-corpus SOURCE_DIR
#include "ButtonProject.h"
#include "ErrorText.h"
#include "GifCodec.h"
#include "JpegCodec.h"
#include "OwnImageLoader.h"
#include "PngCodec.h"
#include "ProjectFileReader.h"
#include "ProjectFileWriter.h"
#include "WebPCodec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <gif_lib.h>
#include <png.h>
#include <webp/encode.h>

namespace {

QString g_corpus;

[[noreturn]] void die(const QString& message)
{
    std::fprintf(stderr, "make-fuzz-corpus: %s\n", qPrintable(message));
    std::exit(1);
}

QString target(const char* name, const char* file)
{
    const QString dir = g_corpus + QLatin1Char('/') + QLatin1String(name);
    if (!QDir().mkpath(dir))
        die(QStringLiteral("cannot create %1").arg(dir));
    return dir + QLatin1Char('/') + QLatin1String(file);
}

void save(const char* name, const char* file, const QByteArray& bytes)
{
    QFile out(target(name, file));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.flush())
        die(QStringLiteral("cannot write %1").arg(out.fileName()));
}

// A few colours in bands and a diagonal, so that every encoder has edges and flat areas.
QImage pattern(int width, int height, bool alpha)
{
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int a = alpha ? (x * 255 / qMax(1, width - 1)) : 255;
            image.setPixel(x, y,
                           x == y ? qRgba(0, 0, 0, a)
                                  : qRgba(40 * (y % 4), 255 - 20 * x, 128 + 10 * y, a));
        }
    return image;
}

void encoded(const char* name, const char* file, const Failure& failure)
{
    if (failure) {
        die(QStringLiteral("%1/%2: %3")
                .arg(QLatin1String(name), QLatin1String(file), ErrorText::message(failure)));
    }
}

// ---- PNG variants through libpng directly.
struct PngBytes
{
    QByteArray data;
};

void appendPng(png_structp png, png_bytep bytes, png_size_t length)
{
    static_cast<PngBytes*>(png_get_io_ptr(png))
        ->data.append(reinterpret_cast<char*>(bytes), qsizetype(length));
}

void flushPng(png_structp) {}

QByteArray rawPng(int width, int height, int bitDepth, int colorType, bool interlaced)
{
    PngBytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)))
        die(QStringLiteral("libpng failed"));
    png_set_write_fn(png, &out, appendPng, flushPng);
    png_set_IHDR(png, info, width, height, bitDepth, colorType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (colorType == PNG_COLOR_TYPE_PALETTE) {
        png_color palette[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
        png_byte alpha[2] = {0, 128};
        png_set_PLTE(png, info, palette, 4);
        png_set_tRNS(png, info, alpha, 2, nullptr);
    }
    if (colorType == PNG_COLOR_TYPE_GRAY) {
        png_color_16 grey{};
        grey.gray = 1;
        png_set_tRNS(png, info, nullptr, 0, &grey);
    }
    png_set_gAMA(png, info, 0.45455);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_zTXt;
    text.key = const_cast<char*>("Comment");
    text.text = const_cast<char*>("seed");
    png_set_text(png, info, &text, 1);
    png_write_info(png, info);

    const int channels = colorType == PNG_COLOR_TYPE_RGB_ALPHA    ? 4
                         : colorType == PNG_COLOR_TYPE_RGB        ? 3
                         : colorType == PNG_COLOR_TYPE_GRAY_ALPHA ? 2
                                                                  : 1;
    const std::size_t rowBytes = (std::size_t(width) * channels * bitDepth + 7) / 8;
    std::vector<png_byte> pixels(rowBytes * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = png_byte((i * 37 + i / rowBytes * 11) & 0xff);
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y)
        rows[y] = pixels.data() + y * rowBytes;
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out.data;
}

// ---- A GIF89a with what our writer leaves out: a global table, a transparent colour, a
// frame smaller than the screen and interlacing.
int appendGif(GifFileType* gif, const GifByteType* bytes, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(bytes), length);
    return length;
}

QByteArray handMadeGif(bool interlaced)
{
    QByteArray out;
    int code = 0;
    GifFileType* gif = EGifOpen(&out, appendGif, &code);
    if (!gif)
        die(QStringLiteral("giflib failed"));
    EGifSetGifVersion(gif, true);
    const GifColorType colours[4] = {{255, 255, 255}, {255, 0, 0}, {0, 128, 0}, {0, 0, 255}};
    ColorMapObject* map = GifMakeMapObject(4, colours);
    GraphicsControlBlock control{};
    control.TransparentColor = 2;
    GifByteType extension[4];
    const size_t extensionLength = EGifGCBToExtension(&control, extension);
    bool ok =
        EGifPutScreenDesc(gif, 12, 10, 2, 0, map) == GIF_OK &&
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(extensionLength), extension) == GIF_OK &&
        EGifPutImageDesc(gif, 2, 1, 9, 9, interlaced, nullptr) == GIF_OK;
    GifPixelType line[9];
    for (int y = 0; ok && y < 9; ++y) {
        for (int x = 0; x < 9; ++x)
            line[x] = GifPixelType((x + y) % 4);
        ok = EGifPutLine(gif, line, 9) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &code) != GIF_OK || !ok)
        die(QStringLiteral("giflib failed"));
    return out;
}

// ---- WebP kinds our writer never makes (lossy, alpha), through libwebp's simple calls.
enum class WebPKind
{
    Lossy,
    LossyAlpha,
    LosslessAlpha
};

QByteArray libwebpFile(const QImage& picture, WebPKind kind)
{
    const QImage rgba = picture.convertToFormat(QImage::Format_RGBA8888);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int w = picture.width(), h = picture.height();
    uint8_t* out = nullptr;
    std::size_t size = 0;
    switch (kind) {
    case WebPKind::Lossy:
        size = WebPEncodeRGB(rgb.constBits(), w, h, int(rgb.bytesPerLine()), 60, &out);
        break;
    case WebPKind::LossyAlpha:
        size = WebPEncodeRGBA(rgba.constBits(), w, h, int(rgba.bytesPerLine()), 60, &out);
        break;
    case WebPKind::LosslessAlpha:
        size = WebPEncodeLosslessRGBA(rgba.constBits(), w, h, int(rgba.bytesPerLine()), &out);
        break;
    }
    if (size == 0)
        die(QStringLiteral("libwebp failed"));
    const QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
    WebPFree(out);
    return bytes;
}

// ---- Bitmaps, written by hand: no library writes most of these kinds.
struct BitmapKind
{
    const char* file;
    int bits;
    quint32 compression;
    bool os2 = false;
    bool topDown = false;
    quint32 colorsUsed = 0;
};

void put16(QByteArray& b, int v)
{
    char raw[2];
    qToLittleEndian<quint16>(quint16(v), raw);
    b.append(raw, 2);
}

void put32(QByteArray& b, qint64 v)
{
    char raw[4];
    qToLittleEndian<quint32>(quint32(v), raw);
    b.append(raw, 4);
}

// Run-length data for an index picture: a run, a literal stretch, a run and an end of line
// on each row, then the end marker. Every pixel is covered, so the file is valid whatever a
// reader does with uncovered ones.
QByteArray runLength(int width, int height, bool fourBit)
{
    QByteArray d;
    for (int y = 0; y < height; ++y) {
        d.append(char(3)).append(char(fourBit ? 0x12 : 1 + y)); // a run of three
        d.append(char(0)).append(char(4));                      // four literal pixels
        if (fourBit)
            d.append(char(0x34)).append(char(0x56));
        else
            d.append(char(2)).append(char(3)).append(char(4)).append(char(5));
        d.append(char(width - 7)).append(char(fourBit ? 0x77 : 7));
        d.append(char(0)).append(char(0)); // end of line
    }
    d.append(char(0)).append(char(1)); // end of bitmap
    return d;
}

QByteArray bitmap(const BitmapKind& kind)
{
    const int width = 11, height = 5;
    const int infoSize = kind.os2 ? 12 : 40;
    const bool fields = kind.compression == 3;
    const int paletteColours =
        kind.bits <= 8 ? (kind.colorsUsed ? int(kind.colorsUsed) : 1 << kind.bits) : 0;
    const int paletteBytes = paletteColours * (kind.os2 ? 3 : 4) + (fields ? 12 : 0);

    QByteArray pixels;
    if (kind.compression == 1 || kind.compression == 2) {
        pixels = runLength(width, height, kind.compression == 2);
    } else {
        const int stride = ((width * kind.bits + 31) / 32) * 4;
        for (int y = 0; y < height; ++y)
            for (int i = 0; i < stride; ++i)
                pixels.append(
                    char((y * 29 + i * 13) %
                         (kind.bits == 8 && kind.colorsUsed ? int(kind.colorsUsed) : 256)));
    }

    QByteArray b("BM");
    const int offset = 14 + infoSize + paletteBytes;
    put32(b, offset + pixels.size());
    put32(b, 0);
    put32(b, offset);
    put32(b, infoSize);
    if (kind.os2) {
        put16(b, width);
        put16(b, height);
        put16(b, 1);
        put16(b, kind.bits);
    } else {
        put32(b, width);
        put32(b, kind.topDown ? -height : height);
        put16(b, 1);
        put16(b, kind.bits);
        put32(b, kind.compression);
        put32(b, pixels.size());
        put32(b, 2835);
        put32(b, 2835);
        put32(b, kind.colorsUsed);
        put32(b, 0);
    }
    if (fields) {
        const bool sixteen = kind.bits == 16;
        put32(b, sixteen ? 0xf800 : 0xff0000);
        put32(b, sixteen ? 0x07e0 : 0x00ff00);
        put32(b, sixteen ? 0x001f : 0x0000ff);
    }
    for (int i = 0; i < paletteColours; ++i) {
        b.append(char(i * 37)).append(char(255 - i * 11)).append(char(i * 5));
        if (!kind.os2)
            b.append(char(0));
    }
    return b + pixels;
}

void pictures(const QString& sourceDir)
{
    const QImage colour = pattern(13, 7, false);
    const QImage wide = pattern(33, 9, false);

    encoded("png", "own.png", PngCodec::writePng(target("png", "own.png"), colour));
    save("png", "palette-trns.png", rawPng(9, 6, 2, PNG_COLOR_TYPE_PALETTE, false));
    save("png", "grey1-trns.png", rawPng(17, 3, 1, PNG_COLOR_TYPE_GRAY, false));
    save("png", "grey-alpha16-adam7.png", rawPng(10, 10, 16, PNG_COLOR_TYPE_GRAY_ALPHA, true));
    save("png", "rgba8-adam7.png", rawPng(9, 9, 8, PNG_COLOR_TYPE_RGB_ALPHA, true));
    save("png", "rgb16.png", rawPng(5, 4, 16, PNG_COLOR_TYPE_RGB, false));

    const struct
    {
        const char* file;
        int quality;
        bool grey;
        bool progressive;
    } jpegs[] = {{"own.jpg", 75, false, false},
                 {"own-progressive.jpg", 50, false, true},
                 {"own-grey.jpg", 90, true, false},
                 {"own-grey-progressive.jpg", 20, true, true}};
    for (const auto& j : jpegs) {
        JpegFileOptions options;
        options.quality = j.quality;
        options.grayscale = j.grey;
        options.progressiveEncoding = j.progressive;
        encoded("jpeg", j.file, JpegCodec::write(target("jpeg", j.file), wide, options));
    }

    encoded("gif", "own.gif", GifCodec::write(target("gif", "own.gif"), colour));
    save("gif", "transparent-frame.gif", handMadeGif(false));
    save("gif", "transparent-frame-interlaced.gif", handMadeGif(true));

    encoded("webp", "own.webp", WebPCodec::write(target("webp", "own.webp"), colour));
    const QImage translucent = pattern(13, 7, true);
    save("webp", "lossless-alpha.webp", libwebpFile(translucent, WebPKind::LosslessAlpha));
    save("webp", "lossy.webp", libwebpFile(wide, WebPKind::Lossy));
    save("webp", "lossy-alpha.webp", libwebpFile(translucent, WebPKind::LossyAlpha));

    const BitmapKind bitmaps[] = {
        {"bits1.bmp", 1, 0},
        {"bits4.bmp", 4, 0},
        {"bits8-16colours.bmp", 8, 0, false, false, 16},
        {"bits8-os2.bmp", 8, 0, true},
        {"rle8.bmp", 8, 1, false, false, 16},
        {"rle4.bmp", 4, 2},
        {"bits16.bmp", 16, 0},
        {"bits16-565.bmp", 16, 3},
        {"bits24-top-down.bmp", 24, 0, false, true},
        {"bits32-fields.bmp", 32, 3},
    };
    for (const BitmapKind& kind : bitmaps)
        save("bmp", kind.file, bitmap(kind));

    // Adobe's inverted CMYK, which none of our encoders write.
    const QString cmyk = target("jpeg", "cmyk-adobe.jpg");
    QFile::remove(cmyk);
    if (!QFile::copy(sourceDir + QStringLiteral("/tests/data/codecs/cmyk-adobe.jpg"), cmyk))
        die(QStringLiteral("cannot copy %1").arg(cmyk));

    // Seeds are valid pictures: the fuzzer starts from what the readers accept.
    for (const char* format : {"png", "jpeg", "gif", "bmp", "webp"}) {
        const QDir dir(g_corpus + QLatin1Char('/') + QLatin1String(format));
        for (const QString& name : dir.entryList(QDir::Files)) {
            OwnImageLoader loader;
            if (const Failure failure = loader.load(dir.filePath(name)))
                die(dir.filePath(name) + QStringLiteral(": ") + ErrorText::message(failure));
        }
    }
}

void projects(const QString& sourceDir)
{
    // The bundled example as it is, and our writer's default project.
    QFile example(sourceDir + QStringLiteral("/examples/example.blp"));
    if (!example.open(QIODevice::ReadOnly))
        die(QStringLiteral("cannot read %1").arg(example.fileName()));
    const QByteArray exampleBytes = example.readAll();
    save("project_file", "example.blp", exampleBytes);
    save("project_file", "default.blp", ProjectFileWriter::toBytes(ButtonProject()));

    // The example with every state on its own picture, names as captions, odd captions.
    ButtonProject project;
    ProjectFileReader reader(project);
    if (const Failure failure = reader.loadFromBytes(exampleBytes))
        die(ErrorText::message(failure));
    for (ButtonState state : {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed}) {
        ButtonStateStyle& style = project.style(state);
        style.backgroundKind = BackgroundKind::OwnImage;
        style.imageFileName = QStringLiteral("pictures/own.png");
        style.fontItalic = true;
    }
    project.useCaptionsAsNames = true;
    project.variableWidth = true;
    project.captions = {QStringLiteral("Über uns"), QStringLiteral("Q&A \"50%\""),
                        QStringLiteral("  "), QString()};
    save("project_file", "own-pictures-utf8.blp", ProjectFileWriter::toBytes(project));
    // The same lines in Windows-1252, as older versions wrote them.
    save("project_file", "own-pictures-latin1.blp",
         ProjectFileWriter::toBytes(project).replace("\xc3\x9c", "\xdc"));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2)
        die(QStringLiteral("usage: make-fuzz-corpus SOURCE_DIR"));
    const QString sourceDir = QString::fromLocal8Bit(argv[1]);
    g_corpus = sourceDir + QStringLiteral("/fuzz/corpus");
    pictures(sourceDir);
    projects(sourceDir);
    return 0;
}
