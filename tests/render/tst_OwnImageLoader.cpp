#include "BackgroundPictures.h"
#include "ErrorText.h"
#include "GifCodec.h"
#include "JpegCodec.h"
#include "OwnImageLoader.h"
#include "PngCodec.h"
#include "WebPCodec.h"
#include "WebPalette.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <sys/stat.h>

namespace {

// What the user is told of a load: empty when it worked.
QString said(const Failure& failure)
{
    return ErrorText::message(failure);
}

// What a file's header declares, "W x H", or the words it is refused in, which are the ones the
// whole load refuses it in. Decoding never takes less than the picture itself.
QString declared(const QString& path)
{
    PictureHeader header;
    if (const Failure failure = OwnImageLoader::readHeader(path, &header))
        return said(failure);
    if (header.decodeBytes < header.pictureBytes())
        return QStringLiteral("decoded in fewer bytes than its picture");
    return QStringLiteral("%1 x %2").arg(header.width).arg(header.height);
}

QString sizeOf(const QImage& image)
{
    return QStringLiteral("%1 x %2").arg(image.width()).arg(image.height());
}

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// A bitmap file with a 40-byte info header; height < 0 stores rows top-down.
QByteArray bitmap(qint32 width, qint32 height, quint16 bitsPerPixel, quint32 compression,
                  const QByteArray& palette, const QByteArray& pixels, quint32 colorsUsed = 0)
{
    QByteArray out("BM");
    const quint32 offset = 14 + 40 + quint32(palette.size());
    put32(out, offset + quint32(pixels.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height));
    put16(out, 1);
    put16(out, bitsPerPixel);
    put32(out, compression);
    put32(out, quint32(pixels.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, colorsUsed);
    put32(out, 0);
    return out + palette + pixels;
}

// Palette of four colours: black, red, green, blue.
QByteArray fourColours()
{
    return QByteArray::fromHex("00000000"
                               "0000ff00"
                               "00ff0000"
                               "ff000000");
}

// 2 x 2, 8 bits: top row red, green; bottom row blue, black (rows stored bottom-up).
QByteArray indexed2x2()
{
    return bitmap(2, 2, 8, 0, fourColours(),
                  QByteArray::fromHex("03000000"
                                      "01020000"),
                  4);
}

// A 32-bit bitmap with an alpha mask (version 5 header): one pixel, pure red at alpha 128.
QByteArray translucentRed()
{
    QByteArray out("BM");
    const quint32 offset = 14 + 124;
    put32(out, offset + 4);
    put32(out, 0);
    put32(out, offset);
    put32(out, 124);
    put32(out, 1);
    put32(out, 1);
    put16(out, 1);
    put16(out, 32);
    put32(out, 3); // bit fields
    put32(out, 4);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0x00FF0000);
    put32(out, 0x0000FF00);
    put32(out, 0x000000FF);
    put32(out, 0xFF000000);
    put32(out, 0x73524742); // sRGB
    out.append(QByteArray(36 + 12 + 16, '\0'));
    return out + QByteArray::fromHex("0000ff80");
}

QString imagesDir()
{
    return QStringLiteral(TEST_DATA_DIR "/images/");
}

} // namespace

class tst_OwnImageLoader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void unknownExtension_data();
    void unknownExtension();
    void bitmapPixels();
    void bitmapFormats_data();
    void bitmapFormats();
    void runLengthGapsTakeFirstColour_data();
    void runLengthGapsTakeFirstColour();
    void missingBitmapNamesTheFile();
    void filesThatNeverEndAreRefused_data();
    void filesThatNeverEndAreRefused();
    void translucentBitmapLiesOverWhite();
    void coverageOfEachFormat_data();
    void coverageOfEachFormat();
    void badBitmap_data();
    void badBitmap();
    void oversizeBitmapRefused_data();
    void oversizeBitmapRefused();
    void extensionChoosesDecoder_data();
    void extensionChoosesDecoder();
    void decoderFailurePassesMessage();
    void loadIntoKeepsPicturesOnFailure();
    void statesNamingOneFileShareItsPicture();

private:
    QString write(const QString& name, const QByteArray& bytes);

    QTemporaryDir m_dir;
};

QString tst_OwnImageLoader::write(const QString& name, const QByteArray& bytes)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void tst_OwnImageLoader::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_OwnImageLoader::unknownExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("tiff") << "scan.tiff"
                          << "Unknown picture file extension (.tiff)";
    QTest::newRow("case kept") << "Scan.TIF"
                               << "Unknown picture file extension (.TIF)";
    QTest::newRow("last dot counts") << "picture.bmp.txt"
                                     << "Unknown picture file extension (.txt)";
    QTest::newRow("icon") << "app.ico"
                          << "Unknown picture file extension (.ico)";
    QTest::newRow("none") << "README"
                          << "Unknown picture file extension (.)";
}

void tst_OwnImageLoader::unknownExtension()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(write(name, indexed2x2()))), message);
    QCOMPARE(declared(m_dir.filePath(name)), message);
}

void tst_OwnImageLoader::bitmapPixels()
{
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(imagesDir() + "rgb24_3x2.bmp")), QString());
    const QImage image = loader.image();
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(3, 2));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(image.pixel(1, 0), qRgb(0, 255, 0));
    QCOMPARE(image.pixel(2, 0), qRgb(0, 0, 255));
    QCOMPARE(image.pixel(0, 1), qRgb(255, 255, 255));
    QCOMPARE(image.pixel(1, 1), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(2, 1), qRgb(10, 20, 30));
}

void tst_OwnImageLoader::bitmapFormats_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("8-bit palette") << "index.bmp" << indexed2x2();
    QTest::newRow("upper-case extension") << "INDEX.BMP" << indexed2x2();
    QTest::newRow("top-down rows") << "topdown.Bmp"
                                   << bitmap(2, -2, 8, 0, fourColours(),
                                             QByteArray::fromHex("01020000"
                                                                 "03000000"),
                                             4);
    // Run-length coded, bottom row first: two blue, end of line, red + green, end of bitmap.
    QTest::newRow("run-length 8") << "rle.bmp"
                                  << bitmap(2, 2, 8, 1, fourColours(),
                                            QByteArray::fromHex("0203"
                                                                "0000"
                                                                "0101 0102"
                                                                "0001"),
                                            4);
}

void tst_OwnImageLoader::bitmapFormats()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(write(name, bytes))), QString());
    const QImage image = loader.image();
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(2, 2));
    QCOMPARE(declared(m_dir.filePath(name)), QStringLiteral("2 x 2"));
    QCOMPARE(image.pixel(0, 0), qRgb(255, 0, 0));
    if (QTest::currentDataTag() == QLatin1String("run-length 8")) {
        QCOMPARE(image.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(1, 1), qRgb(0, 0, 255));
    } else {
        QCOMPARE(image.pixel(1, 0), qRgb(0, 255, 0));
        QCOMPARE(image.pixel(0, 1), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(1, 1), qRgb(0, 0, 0));
    }
}

void tst_OwnImageLoader::runLengthGapsTakeFirstColour_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<QByteArray>("pixels");
    QTest::addColumn<QString>("expected"); // palette indexes, top row first
    // Rows are stored bottom-up; "." is what the codes leave uncovered.
    QTest::newRow("end of bitmap early") << 8 << QByteArray::fromHex("0203 0001") << "..33";
    QTest::newRow("short lines") << 8 << QByteArray::fromHex("0103 0000 0102 0001") << "2.3.";
    QTest::newRow("delta skips") << 8 << QByteArray::fromHex("0002 0101 0103 0001") << ".3..";
    QTest::newRow("delta past the top") << 8 << QByteArray::fromHex("0102 0002 0005") << "..2.";
    QTest::newRow("4 bits, end early") << 4 << QByteArray::fromHex("0231 0001") << "..31";
    QTest::newRow("4 bits, literal then end")
        << 4 << QByteArray::fromHex("0000 0003 2300 0001") << "23..";
    QTest::newRow("covered needs no fill")
        << 8 << QByteArray::fromHex("0201 0000 0202 0001") << "2211";
}

void tst_OwnImageLoader::runLengthGapsTakeFirstColour()
{
    QFETCH(int, bits);
    QFETCH(QByteArray, pixels);
    QFETCH(QString, expected);
    // Entry 0 is a colour no run here uses, so unfilled memory cannot pass for it.
    const QByteArray palette = QByteArray::fromHex("30201000") + fourColours().mid(4);
    const QRgb colours[] = {qRgb(0x10, 0x20, 0x30), qRgb(255, 0, 0), qRgb(0, 255, 0),
                            qRgb(0, 0, 255)};
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(write(
                 "gaps.bmp", bitmap(2, 2, quint16(bits), bits == 8 ? 1 : 2, palette, pixels, 4)))),
             QString());
    const QImage image = loader.image();
    QCOMPARE(image.size(), QSize(2, 2));
    for (int i = 0; i < 4; ++i) {
        const int index = expected[i] == u'.' ? 0 : expected[i].digitValue();
        QCOMPARE(image.pixel(i % 2, i / 2), colours[index]);
    }
}

void tst_OwnImageLoader::missingBitmapNamesTheFile()
{
    const QString path = m_dir.filePath("nowhere.bmp");
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(path)),
             QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(path));
    QVERIFY(loader.image().isNull());
}

void tst_OwnImageLoader::filesThatNeverEndAreRefused_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"pic.png", "pic.bmp", "pic.gif", "pic.jpg", "pic.webp"})
        QTest::newRow(name) << name;
}

// A FIFO nobody writes to would hold the reader forever: it is refused at once, by name.
void tst_OwnImageLoader::filesThatNeverEndAreRefused()
{
    QFETCH(QString, name);
    const QString path = m_dir.filePath(name);
    QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(path)), path + " is not a regular file");
    QCOMPARE(declared(path), path + " is not a regular file");
    QCOMPARE(said(loader.load("/dev/zero")), QStringLiteral("/dev/zero is not a regular file"));
    QVERIFY(QFile::remove(path));
}

void tst_OwnImageLoader::translucentBitmapLiesOverWhite()
{
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(write("glass.bmp", translucentRed()))), QString());
    QCOMPARE(loader.image().format(), QImage::Format_RGB32);
    QCOMPARE(loader.image().pixel(0, 0), qRgb(255, 127, 127));
    QCOMPARE(loader.coverage().format(), QImage::Format_Grayscale8);
    QCOMPARE(int(loader.coverage().constScanLine(0)[0]), 0x80);
}

void tst_OwnImageLoader::coverageOfEachFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("alpha");
    for (const char* name : {"a.png", "a.webp", "a.gif"})
        for (const bool alpha : {true, false})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(name, alpha ? "alpha" : "opaque")))
                << name << alpha;
}

// Every format that can hold transparency gives it as the picture's coverage, besides the
// picture laid over white; an opaque picture gives none.
void tst_OwnImageLoader::coverageOfEachFormat()
{
    QFETCH(QString, name);
    QFETCH(bool, alpha);
    QImage bitmap(30, 10, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, qRgba(8 * x, 255 - 20 * y, 51, alpha ? 9 * x : 255));
    const QString path = m_dir.filePath(name);
    const bool gif = name.endsWith(".gif");
    const Failure written = name.endsWith(".png") ? PngCodec::writePng(path, bitmap)
                            : gif ? GifCodec::writeTransparent(path, bitmap, qRgb(0, 0, 0))
                                  : WebPCodec::write(path, bitmap);
    QCOMPARE(said(written), QString());
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(path)), QString());
    QCOMPARE(loader.image().format(), QImage::Format_RGB32);
    QCOMPARE(loader.coverage().isNull(), !alpha);
    for (int x = 0; x < bitmap.width() && alpha; ++x) {
        const int a = qAlpha(bitmap.pixel(x, 5));
        QCOMPARE(int(loader.coverage().constScanLine(5)[x]), gif ? (a < 128 ? 0 : 255) : a);
        if (a == 0)
            QCOMPARE(loader.image().pixel(x, 5), qRgb(255, 255, 255));
    }
}

void tst_OwnImageLoader::badBitmap_data()
{
    QTest::addColumn<QString>("path");
    const QByteArray good = indexed2x2();
    QTest::newRow("text file") << imagesDir() + "not_a_bitmap.bmp";
    QTest::newRow("empty file") << write("empty.bmp", QByteArray());
    QTest::newRow("header only") << write("header.bmp", good.left(20));
    QTest::newRow("pixels cut short") << write("short.bmp", good.left(good.size() - 3));
    QTest::newRow("palette cut short") << write("nopalette.bmp", good.left(14 + 40 + 6));
    QTest::newRow("zero width") << write("zero.bmp",
                                         bitmap(0, 2, 8, 0, fourColours(), QByteArray(8, 0), 4));
    QTest::newRow("zero height") << write("flat.bmp",
                                          bitmap(2, 0, 8, 0, fourColours(), QByteArray(8, 0), 4));
    QTest::newRow("7 bits a pixel")
        << write("seven.bmp", bitmap(2, 2, 7, 0, fourColours(), QByteArray(8, 0), 4));
    QTest::newRow("embedded JPEG")
        << write("jpeg.bmp", bitmap(2, 2, 24, 4, QByteArray(), QByteArray(16, 0)));
    QTest::newRow("more colours than bits")
        << write("colours.bmp", bitmap(2, 2, 8, 0, fourColours(), QByteArray(8, 0), 300));
    QTest::newRow("run-length without end")
        << write("rle.bmp", bitmap(2, 2, 8, 1, fourColours(), QByteArray::fromHex("0203"), 4));
    QTest::newRow("run-length literal cut") << write(
        "rlecut.bmp", bitmap(4, 1, 8, 1, fourColours(), QByteArray::fromHex("0004 0102"), 4));
    QByteArray badOffset = good;
    qToLittleEndian<quint32>(quint32(good.size() + 100), badOffset.data() + 10);
    QTest::newRow("pixel offset past the end") << write("offset.bmp", badOffset);
}

void tst_OwnImageLoader::badBitmap()
{
    QFETCH(QString, path);
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(path)), QStringLiteral("Bitmap image is not valid"));
    QVERIFY(loader.image().isNull());
}

void tst_OwnImageLoader::oversizeBitmapRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("size");
    // Headers alone: a loader that trusted them would try to allocate gigabytes.
    QTest::newRow("too wide") << bitmap(100000, 1, 24, 0, QByteArray(), QByteArray()) << "100000x1";
    QTest::newRow("too tall") << bitmap(1, 16385, 24, 0, QByteArray(), QByteArray()) << "1x16385";
    QTest::newRow("too many pixels")
        << bitmap(16384, 4097, 32, 0, QByteArray(), QByteArray()) << "16384x4097";
    QTest::newRow("huge top-down")
        << bitmap(2000000000, -2000000000, 32, 0, QByteArray(), QByteArray())
        << "2000000000x2000000000";
    // Complete and decodable, but one column past the limit.
    QTest::newRow("complete file one past the side")
        << bitmap(16385, 1, 8, 0, fourColours(), QByteArray(16388, 1), 4) << "16385x1";
}

void tst_OwnImageLoader::oversizeBitmapRefused()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, size);
    OwnImageLoader loader;
    const QString refusal = QStringLiteral("Bitmap image is too large (%1 pixels; at most 16384 "
                                           "pixels a side and 64 megapixels)")
                                .arg(size);
    QCOMPARE(said(loader.load(write("big.bmp", bytes))), refusal);
    QCOMPARE(declared(m_dir.filePath("big.bmp")), refusal);
    QVERIFY(loader.image().isNull());
}

void tst_OwnImageLoader::extensionChoosesDecoder_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"own.png", "OWN.PNG", "photo.jpg", "PHOTO.JPEG", "Photo.Jpg",
                             "LOGO.Gif", "v1.2/LOGO.GIF", "own.webp", "OWN.WebP"})
        QTest::newRow(name) << name;
}

void tst_OwnImageLoader::extensionChoosesDecoder()
{
    QFETCH(QString, name);
    QImage bitmap(40, 20, QImage::Format_RGB32);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, qRgb(6 * x, 200 - 9 * y, (x * y) % 256));
    QVERIFY(QDir(m_dir.path()).mkpath("v1.2"));
    const QString path = m_dir.filePath(name);
    const QString lower = name.toLower();
    QImage expected;
    if (lower.endsWith(".png")) {
        QCOMPARE(said(PngCodec::writePng(path, bitmap)), QString());
        expected = bitmap;
    } else if (lower.endsWith(".webp")) {
        QCOMPARE(said(WebPCodec::write(path, bitmap)), QString());
        expected = bitmap;
    } else if (lower.endsWith(".gif")) {
        QCOMPARE(said(GifCodec::write(path, bitmap)), QString());
        expected = WebPalette::reduceToWebPalette(bitmap).convertToFormat(QImage::Format_RGB32);
    } else {
        QCOMPARE(said(JpegCodec::write(path, bitmap, JpegFileOptions())), QString());
        QCOMPARE(said(JpegCodec::read(path, &expected)), QString());
    }
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(path)), QString());
    QCOMPARE(loader.image(), expected);
    QCOMPARE(declared(path), sizeOf(expected));
}

void tst_OwnImageLoader::decoderFailurePassesMessage()
{
    OwnImageLoader loader;
    QCOMPARE(said(loader.load(write("broken.png", QByteArray("\x89PNG\r\n\x1a\n", 8)))),
             QStringLiteral("Error Reading File!"));
    QVERIFY(loader.image().isNull());
    QCOMPARE(declared(m_dir.filePath("broken.png")), QStringLiteral("Error Reading File!"));
}

void tst_OwnImageLoader::loadIntoKeepsPicturesOnFailure()
{
    BackgroundPictures pictures;
    QCOMPARE(said(OwnImageLoader::loadInto(pictures, ButtonState::Selected,
                                           imagesDir() + "rgb24_3x2.bmp")),
             QString());
    QCOMPARE(pictures.ownImage(ButtonState::Selected).size(), QSize(3, 2));
    QVERIFY(pictures.ownImage(ButtonState::Normal).isNull());
    QVERIFY(pictures.ownImage(ButtonState::Pressed).isNull());

    QCOMPARE(said(OwnImageLoader::loadInto(pictures, ButtonState::Selected,
                                           imagesDir() + "not_a_bitmap.bmp")),
             QStringLiteral("Bitmap image is not valid"));
    QCOMPARE(pictures.ownImage(ButtonState::Selected).size(), QSize(3, 2));
}

void tst_OwnImageLoader::statesNamingOneFileShareItsPicture()
{
    BackgroundPictures pictures;
    const QString path = write("shared.bmp", indexed2x2());
    for (const ButtonState state :
         {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed})
        QCOMPARE(said(OwnImageLoader::loadInto(pictures, state, path)), QString());
    const qint64 key = pictures.ownImage(ButtonState::Normal).cacheKey();
    QCOMPARE(pictures.ownImage(ButtonState::Selected).cacheKey(), key);
    QCOMPARE(pictures.ownImage(ButtonState::Pressed).cacheKey(), key);
    // A file changed since is decoded anew.
    write("shared.bmp", translucentRed());
    QCOMPARE(said(OwnImageLoader::loadInto(pictures, ButtonState::Pressed, path)), QString());
    QCOMPARE(pictures.ownImage(ButtonState::Pressed).size(), QSize(1, 1));
}

QTEST_MAIN(tst_OwnImageLoader)
#include "tst_OwnImageLoader.moc"
