#include "CodecTestSupport.h"
#include "PngCodec.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

using namespace CodecTest;

namespace {
// Pixels drawn at random from the given number of colours; with alpha, the colours' alpha runs
// from 0 to 255 too.
QImage randomColours(int width, int height, int colours, bool alpha = false)
{
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    quint32 state = 11;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            const int i = int((state >> 8) % quint32(colours));
            image.setPixel(x, y,
                           qRgba(i * 13, 255 - i * 7 + (i >> 8), (i * 61) & 0xff,
                                 alpha ? (i * 255) / qMax(1, colours - 1) : 255));
        }
    }
    return image;
}
} // namespace

class TestPngCodec : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void writeReadsBackExactly_data();
    void writeReadsBackExactly();
    void writtenFileHasOnlyRgbChunks();
    void smallestFormKeepsPixels_data();
    void smallestFormKeepsPixels();
    void threadsOfMixedSizesWriteExactly();
    void readDecodesAndComposites_data();
    void readDecodesAndComposites();
    void readRefusesBadFiles_data();
    void readRefusesBadFiles();
    void openFailureGivesReason_data();
    void openFailureGivesReason();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestPngCodec::writeReadsBackExactly_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::newRow("button 120x32") << buttonImage();
    QTest::newRow("one pixel") << buttonImage(1, 1);
    QTest::newRow("odd width") << buttonImage(7, 3, 5);
    QTest::newRow("RGB888 input") << buttonImage(33, 9, 2).convertToFormat(QImage::Format_RGB888);
    QTest::newRow("tall") << buttonImage(4, 300, 9);
    QImage flat(120, 32, QImage::Format_RGB32);
    flat.fill(qRgb(255, 255, 0));
    QTest::newRow("flat colour") << flat;
    // Deflates to more than the buffer first set aside for the stream.
    QImage noise(301, 97, QImage::Format_RGB32);
    quint32 state = 7;
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            noise.setPixel(x, y, state >> 8);
        }
    }
    QTest::newRow("noise") << noise;
    // Unfiltered rows must survive fine texture as well as flat runs.
    for (int index = 92; index < 100; ++index)
        QTest::addRow("textured B%d", index + 1)
            << QImage(QStringLiteral(TEST_DATA_DIR "/../../resources/backgrounds/b%1.bmp")
                          .arg(index + 1))
                   .convertToFormat(QImage::Format_RGB32);
}

void TestPngCodec::writeReadsBackExactly()
{
    QFETCH(QImage, bitmap);
    const QString file = path("out.png");
    QVERIFY_NO_FAILURE(PngCodec::writePng(file, bitmap));

    const QImage byQt(file);
    QVERIFY(!byQt.isNull());
    QCOMPARE(asRgb32(byQt), asRgb32(bitmap));

    QImage ours;
    QVERIFY_NO_FAILURE(PngCodec::readPng(file, &ours));
    QCOMPARE(ours.format(), QImage::Format_RGB32);
    QCOMPARE(ours, asRgb32(bitmap));
}

void TestPngCodec::writtenFileHasOnlyRgbChunks()
{
    const QString file = path("chunks.png");
    QVERIFY_NO_FAILURE(PngCodec::writePng(file, buttonImage()));
    const QByteArray png = readAll(file);

    QList<QByteArray> types = pngChunkTypes(png);
    types.erase(std::unique(types.begin(), types.end()), types.end());
    QCOMPARE(types, (QList<QByteArray>{"IHDR", "IDAT", "IEND"}));

    // IHDR data follows the signature (8), length (4) and type (4).
    const char* ihdr = png.constData() + 16;
    QCOMPARE(qFromBigEndian<quint32>(ihdr), 120u);
    QCOMPARE(qFromBigEndian<quint32>(ihdr + 4), 32u);
    QCOMPARE(int(ihdr[8]), 8);  // bit depth
    QCOMPARE(int(ihdr[9]), 2);  // RGB
    QCOMPARE(int(ihdr[10]), 0); // compression
    QCOMPARE(int(ihdr[11]), 0); // filter
    QCOMPARE(int(ihdr[12]), 0); // no interlace
}

void TestPngCodec::smallestFormKeepsPixels_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::addColumn<int>("colourType"); // -1: either
    QTest::addColumn<int>("bitDepth");
    QTest::addColumn<quint32>("classicCrc"); // of the classic file as it always was; 0: any
    QTest::newRow("1 colour") << randomColours(120, 32, 1) << 3 << 1 << 0u;
    QTest::newRow("3 colours, odd width") << randomColours(31, 9, 3) << 3 << 2 << 0u;
    QTest::newRow("16 colours") << randomColours(64, 20, 16) << 3 << 4 << 0x5319e40bu;
    QTest::newRow("16 colours, RGB888 input")
        << randomColours(31, 9, 16).convertToFormat(QImage::Format_RGB888) << 3 << 4 << 0u;
    QTest::newRow("256 colours") << randomColours(64, 64, 256) << 3 << 8 << 0u;
    QTest::newRow("257 colours") << randomColours(64, 64, 257) << 2 << 8 << 0u;
    QTest::newRow("alpha, 5 colours") << randomColours(31, 9, 5, true) << 3 << 4 << 0xa4624ff0u;
    QTest::newRow("alpha, 200 colours") << randomColours(64, 64, 200, true) << 3 << 8 << 0u;
    // The palette costs more than it saves.
    QTest::newRow("one pixel") << randomColours(1, 1, 1) << 2 << 8 << 0u;
    QTest::newRow("one pixel with alpha") << randomColours(1, 1, 1, true) << 6 << 8 << 0u;
    QTest::newRow("past a megapixel") << randomColours(1025, 1024, 1) << 2 << 8 << 0u;
    QTest::newRow("button") << buttonImage() << -1 << 8 << 0xeacda286u;
    QTest::newRow("button, RGB888 input")
        << buttonImage(33, 9, 2).convertToFormat(QImage::Format_RGB888) << -1 << 8 << 0xc729ad98u;
    // Every built-in picture, a shaped one with its coverage as alpha.
    for (int n = 1; n <= 100; ++n) {
        const QString stem =
            QStringLiteral(TEST_DATA_DIR "/../../resources/backgrounds/b%1").arg(n);
        QImage picture = QImage(stem + ".bmp").convertToFormat(QImage::Format_ARGB32);
        const QImage coverage(stem + "-alpha.png");
        if (!coverage.isNull())
            picture.setAlphaChannel(coverage);
        QTest::addRow("B%d", n) << (coverage.isNull() ? asRgb32(picture) : picture) << -1 << 8
                                << 0u;
    }
}

// Read by libpng and by Qt's own reader: the classic file's pixels, in no more bytes. The
// classic form stays the default, byte for byte.
void TestPngCodec::smallestFormKeepsPixels()
{
    QFETCH(QImage, bitmap);
    QFETCH(int, colourType);
    QFETCH(int, bitDepth);
    QFETCH(quint32, classicCrc);
    const QString classic = path("classic.png");
    const QString smallest = path("smallest.png");
    QVERIFY_NO_FAILURE(PngCodec::writePng(classic, bitmap));
    QVERIFY_NO_FAILURE(PngCodec::writePng(smallest, bitmap, PngCodec::Form::Smallest));
    const QByteArray png = readAll(smallest);
    QVERIFY(png.size() <= readAll(classic).size());
    if (classicCrc)
        QCOMPARE(crc32(readAll(classic)), classicCrc);
    const int type = png.at(25);
    if (colourType >= 0) {
        QCOMPARE(type, colourType);
        QCOMPARE(int(png.at(24)), bitDepth);
    }
    const QList<QByteArray> types = pngChunkTypes(png);
    QCOMPARE(types.contains("PLTE"), type == 3);
    QCOMPARE(types.contains("tRNS"), type == 3 && bitmap.hasAlphaChannel());

    QImage ours, ourCoverage, classics, classicCoverage;
    QVERIFY_NO_FAILURE(PngCodec::readPng(smallest, &ours, &ourCoverage));
    QVERIFY_NO_FAILURE(PngCodec::readPng(classic, &classics, &classicCoverage));
    QCOMPARE(ours, classics);
    QCOMPARE(ourCoverage, classicCoverage);
    QCOMPARE(QImage(smallest).convertToFormat(QImage::Format_ARGB32),
             QImage(classic).convertToFormat(QImage::Format_ARGB32));
}

void TestPngCodec::threadsOfMixedSizesWriteExactly()
{
    // Each thread reuses its encoder's memory from image to image; sizes that come and go
    // must never hand one image's blocks to another of a different size.
    const QList<QImage> images = {buttonImage(120, 32, 1), buttonImage(300, 90, 2),
                                  buttonImage(3, 2, 3), buttonImage(2000, 40, 4)};
    std::atomic<int> failures{0};
    const auto writeMany = [&](int thread) {
        for (int i = 0; i < 40; ++i) {
            const QImage& bitmap = images.at((i * (thread + 1)) % images.size());
            const QString file = path(QString("t%1-%2.png").arg(thread).arg(i));
            QImage back;
            if (PngCodec::writePng(file, bitmap) || PngCodec::readPng(file, &back) ||
                back != asRgb32(bitmap))
                ++failures;
        }
    };
    std::thread other(writeMany, 1);
    writeMany(0);
    other.join();
    QCOMPARE(failures.load(), 0);
}

void TestPngCodec::readDecodesAndComposites_data()
{
    QTest::addColumn<QByteArray>("png");
    QTest::addColumn<QList<QRgb>>("expected"); // the pixels, row by row

    const QByteArray redGreenPalette("\xff\x00\x00\x00\xff\x00\x00\x00\xff", 9);
    QTest::newRow("RGBA: half, opaque, clear")
        << makePng(3, 1, 8, 6, {QByteArray("\xff\x00\x00\x80\x10\x20\x30\xff\x10\x20\x30\x00", 12)})
        << QList<QRgb>{qRgb(255, 127, 127), qRgb(16, 32, 48), qRgb(255, 255, 255)};
    // Adam7 over 9 x 9 pixels fills all seven passes, each row of a pass filtered alone.
    const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                              {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}; // x, y, x step, y step
    QList<QByteArray> passRows;
    for (const auto& pass : passes) {
        for (int y = pass[1]; y < 9; y += pass[3]) {
            passRows << QByteArray();
            for (int x = pass[0]; x < 9; x += pass[2])
                passRows.last().append(char(25 * x)).append(char(25 * y)).append('\x40');
        }
    }
    QList<QRgb> grid;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            grid << qRgb(25 * x, 25 * y, 0x40);
    QByteArray adam7 = makePng(9, 9, 8, 2, passRows);
    QByteArray ihdr = adam7.mid(16, 13);
    ihdr[12] = 1;
    adam7.replace(8, 25, pngChunk("IHDR", ihdr));
    QTest::newRow("interlaced") << adam7 << grid;
    QTest::newRow("palette with tRNS")
        << makePng(3, 1, 8, 3, {QByteArray("\x00\x01\x02", 3)}, redGreenPalette,
                   QByteArray("\x00\xff", 2))
        << QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    QTest::newRow("palette 2-bit")
        << makePng(3, 1, 2, 3, {QByteArray("\x24", 1)}, redGreenPalette)
        << QList<QRgb>{qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)};
    QTest::newRow("grey 8-bit") << makePng(2, 1, 8, 0, {QByteArray("\x00\x99", 2)})
                                << QList<QRgb>{qRgb(0, 0, 0), qRgb(153, 153, 153)};
    QTest::newRow("grey 1-bit") << makePng(3, 1, 1, 0, {QByteArray("\xa0", 1)})
                                << QList<QRgb>{qRgb(255, 255, 255), qRgb(0, 0, 0),
                                               qRgb(255, 255, 255)};
    QTest::newRow("grey with tRNS")
        << makePng(2, 1, 8, 0, {QByteArray("\x32\x33", 2)}, QByteArray(), QByteArray("\x00\x32", 2))
        << QList<QRgb>{qRgb(255, 255, 255), qRgb(51, 51, 51)};
    QTest::newRow("grey + alpha") << makePng(3, 1, 8, 4,
                                             {QByteArray("\x64\xff\x64\x00\x00\x80", 6)})
                                  << QList<QRgb>{qRgb(100, 100, 100), qRgb(255, 255, 255),
                                                 qRgb(127, 127, 127)};
    QTest::newRow("grey 16-bit") << makePng(2, 1, 16, 0, {QByteArray("\x80\x80\xff\xff", 4)})
                                 << QList<QRgb>{qRgb(128, 128, 128), qRgb(255, 255, 255)};
    QTest::newRow("RGB 16-bit") << makePng(1, 1, 16, 2, {QByteArray("\x33\x33\xcc\xcc\x00\x00", 6)})
                                << QList<QRgb>{qRgb(51, 204, 0)};
    QTest::newRow("RGBA 16-bit, half alpha")
        << makePng(1, 1, 16, 6, {QByteArray("\xff\xff\x00\x00\x00\x00\x80\x80", 8)})
        << QList<QRgb>{qRgb(255, 127, 127)};
}

void TestPngCodec::readDecodesAndComposites()
{
    QFETCH(QByteArray, png);
    QFETCH(QList<QRgb>, expected);
    const QString file = path("in.png");
    QVERIFY(writeAll(file, png));
    QVERIFY2(!QImage(file).isNull(), "fixture must be a valid PNG");

    QImage image;
    QVERIFY_NO_FAILURE(PngCodec::readPng(file, &image));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.width() * image.height(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(QColor(image.pixel(i % image.width(), i / image.width())), QColor(expected[i]));
}

void TestPngCodec::readRefusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QImage bitmap = buttonImage(64, 64, 3);
    const QString good = path("good.png");
    QVERIFY_NO_FAILURE(PngCodec::writePng(good, bitmap));
    const QByteArray valid = readAll(good);

    QByteArray badCrc = valid;
    badCrc[40] = char(badCrc[40] ^ 0x55); // inside the IDAT data
    QByteArray tooWide = makePng(20000, 1, 8, 0, {QByteArray(20000, '\0')});
    QByteArray tooManyPixels = makePng(9000, 9000, 8, 0, {QByteArray(9000, '\0')});

    QTest::newRow("empty") << QByteArray() << "Error Reading File!";
    QTest::newRow("not a PNG") << QByteArray("GIF89a plain text") << "Error Reading File!";
    QTest::newRow("truncated half") << valid.left(valid.size() / 2) << "Error Reading File!";
    QTest::newRow("truncated in IHDR") << valid.left(20) << "Error Reading File!";
    QTest::newRow("no IDAT") << valid.left(33) + pngChunk("IEND", QByteArray())
                             << "Error Reading File!";
    QTest::newRow("bad CRC") << badCrc << "Error Reading File!";
    QTest::newRow("too wide") << tooWide << "is too large: 20000 x 1 pixels";
    QTest::newRow("too many pixels") << tooManyPixels << "is too large: 9000 x 9000 pixels";
}

void TestPngCodec::readRefusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString file = path("bad.png");
    QVERIFY(writeAll(file, bytes));
    QImage image(5, 5, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QImage before = image;
    QString error;
    QVERIFY(failsWith(PngCodec::readPng(file, &image), &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(image, before);
}

void TestPngCodec::openFailureGivesReason_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("errorNumber");
    QTest::newRow("missing folder") << "missing/out.png" << ENOENT;
    QTest::newRow("folder is a file") << "plain/out.png" << ENOTDIR;
}

void TestPngCodec::openFailureGivesReason()
{
    QFETCH(QString, name);
    QFETCH(int, errorNumber);
    QVERIFY(writeAll(path("plain"), "x"));
    const QString file = path(name);
    const QString expected = "Error Opening File " + file + "! " + std::strerror(errorNumber);
    QString error;
    QVERIFY(failsWith(PngCodec::writePng(file, buttonImage()), &error));
    QCOMPARE(error, expected);
    QVERIFY(!QFile::exists(file));

    QVERIFY(failsWith(PngCodec::readPng(file, nullptr), &error));
    QCOMPARE(error, expected);
}

QTEST_MAIN(TestPngCodec)
#include "tst_PngCodec.moc"
