#include "CodecMemoryBuffer.h"
#include "CodecTestSupport.h"
#include "GifCodec.h"
#include "GifEncoder.h"
#include "WebPalette.h"

#include <QTemporaryDir>
#include <QtTest>

#include <gif_lib.h>

using namespace CodecTest;

class TestGifCodec : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void writeReadsBackAsReducedBitmap_data();
    void writeReadsBackAsReducedBitmap();
    void writtenFileHasGif87aLayout();
    void writtenBytesMatchGiflib_data();
    void writtenBytesMatchGiflib();
    void readPlacesFirstFrame_data();
    void readPlacesFirstFrame();
    void readRefusesBadFiles_data();
    void readRefusesBadFiles();
    void writeIntoMissingDirectoryFails();
    void bufferGrowsFromNothing();

private:
    QTemporaryDir m_dir;
};

void TestGifCodec::writeReadsBackAsReducedBitmap_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::newRow("button 120x32") << buttonImage();
    QTest::newRow("one pixel") << buttonImage(1, 1);
    QTest::newRow("wide noisy") << buttonImage(300, 5, 11);
    QTest::newRow("RGB888 input") << buttonImage(17, 9, 3).convertToFormat(QImage::Format_RGB888);
}

void TestGifCodec::writeReadsBackAsReducedBitmap()
{
    QFETCH(QImage, bitmap);
    const QString file = m_dir.filePath("out.gif");
    QVERIFY_NO_FAILURE(GifCodec::write(file, bitmap));
    const QImage expected = asRgb32(WebPalette::reduceToWebPalette(bitmap));

    const QImage byQt(file);
    QVERIFY(!byQt.isNull());
    QCOMPARE(asRgb32(byQt), expected);

    QImage ours;
    QVERIFY_NO_FAILURE(GifCodec::read(file, &ours));
    QCOMPARE(ours.format(), QImage::Format_RGB32);
    QCOMPARE(ours, expected);
}

namespace {
// The file giflib makes of the same picture: the bytes the files had before they were encoded
// without it.
QByteArray giflibFile(const QImage& bitmap)
{
    const QImage indexed = WebPalette::reduceToWebPalette(bitmap);
    QByteArray bytes;
    const auto append = [](GifFileType* gif, const GifByteType* data, int count) {
        static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), count);
        return count;
    };
    int code = 0;
    GifFileType* gif = EGifOpen(&bytes, append, &code);
    GifColorType colors[256];
    for (int i = 0; i < 256; ++i) {
        const QRgb c = WebPalette::colorTable().at(i);
        colors[i] = {GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }
    ColorMapObject map{256, 8, false, colors};
    EGifSetGifVersion(gif, false);
    EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, nullptr);
    EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, &map);
    for (int y = 0; y < indexed.height(); ++y)
        EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)), indexed.width());
    EGifCloseFile(gif, &code);
    return bytes;
}
} // namespace

void TestGifCodec::writtenBytesMatchGiflib_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::newRow("button") << buttonImage();
    QTest::newRow("one pixel") << buttonImage(1, 1);
    QTest::newRow("as wide as a GIF holds") << buttonImage(65535, 1);
    QImage flat(700, 90, QImage::Format_RGB32);
    flat.fill(qRgb(255, 255, 0));
    QTest::newRow("long flat runs") << flat;
    // Noise fills the code table many times over: clear codes and the code widths around them.
    QImage noise(257, 301, QImage::Format_RGB32);
    quint32 state = 12345;
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            noise.setPixel(x, y, (state >> 8) & (y < 150 ? 0xffffff : 0x336699));
        }
    }
    QTest::newRow("noise") << noise;
    QTest::newRow("ARGB32") << buttonImage(50, 20, 4).convertToFormat(QImage::Format_ARGB32);
}

void TestGifCodec::writtenBytesMatchGiflib()
{
    QFETCH(QImage, bitmap);
    const QString file = m_dir.filePath("same.gif");
    QVERIFY_NO_FAILURE(GifCodec::write(file, bitmap));
    QCOMPARE(readAll(file), giflibFile(bitmap));
}

void TestGifCodec::writtenFileHasGif87aLayout()
{
    const QString file = m_dir.filePath("layout.gif");
    QVERIFY_NO_FAILURE(GifCodec::write(file, buttonImage()));
    const QByteArray gif = readAll(file);
    const auto byte = [&](qsizetype at) { return int(quint8(gif.at(at))); };
    const auto word = [&](qsizetype at) { return byte(at) | (byte(at + 1) << 8); };

    QCOMPARE(gif.left(6), QByteArray("GIF87a"));
    QCOMPARE(word(6), 120);
    QCOMPARE(word(8), 32);
    QCOMPARE(byte(10) & 0x80, 0); // no global colour table
    QCOMPARE(byte(11), 0);        // background index
    QCOMPARE(byte(12), 0);        // aspect ratio

    QCOMPARE(byte(13), 0x2c); // image descriptor right after the screen
    QCOMPARE(word(14), 0);
    QCOMPARE(word(16), 0);
    QCOMPARE(word(18), 120);
    QCOMPARE(word(20), 32);
    QCOMPARE(byte(22), 0x87); // local table of 2^8 entries, not interlaced, not sorted

    const QVector<QRgb>& table = WebPalette::colorTable();
    for (int i = 0; i < 256; ++i) {
        const qsizetype at = 23 + 3 * i;
        QCOMPARE(qRgb(byte(at), byte(at + 1), byte(at + 2)),
                 i < 216 ? WebPalette::color(i) : qRgb(0, 0, 0));
        QCOMPARE(table[i], qRgb(byte(at), byte(at + 1), byte(at + 2)));
    }
    qsizetype at = 23 + 768;
    QCOMPARE(byte(at), 8); // LZW minimum code size
    ++at;
    while (byte(at) != 0)
        at += 1 + byte(at);
    ++at;
    // The trailer follows the only image: no extension block (0x21) anywhere between records.
    QCOMPARE(byte(at), 0x3b);
    QCOMPARE(at + 1, gif.size());
}

void TestGifCodec::readPlacesFirstFrame_data()
{
    QTest::addColumn<QByteArray>("gif");
    QTest::addColumn<QList<QRgb>>("expected"); // screen pixels, row by row

    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), blue = qRgb(0, 0, 255);
    const QRgb white = qRgb(255, 255, 255), grey = qRgb(90, 90, 90);
    const QList<QRgb> global{red, green, blue, grey};

    GifFrame full{0, 0, 2, 2, false, {}, -1, QByteArray("\x00\x01\x02\x00", 4)};
    QTest::newRow("global table") << makeGif(2, 2, global, 0, {full})
                                  << QList<QRgb>{red, green, blue, red};

    GifFrame local = full;
    local.localTable = {blue, red, green};
    QTest::newRow("local table wins")
        << makeGif(2, 2, global, 0, {local}) << QList<QRgb>{blue, red, green, blue};

    GifFrame transparent = full;
    transparent.transparentIndex = 1;
    QTest::newRow("transparent index white")
        << makeGif(2, 2, global, 0, {transparent}) << QList<QRgb>{red, white, blue, red};

    GifFrame small{1, 1, 1, 1, false, {}, -1, QByteArray("\x02", 1)};
    QTest::newRow("frame inside screen, background from global table")
        << makeGif(3, 2, global, 3, {small}) << QList<QRgb>{grey, grey, grey, grey, blue, grey};

    // A background index past a four-colour table names no colour.
    QByteArray shortTable = makeGif(3, 2, global, 0, {small});
    shortTable[10] = char(0xf1);
    shortTable[11] = 4;
    shortTable.remove(13 + 4 * 3, 252 * 3);
    QTest::newRow("background past the global table")
        << shortTable << QList<QRgb>{white, white, white, white, blue, white};

    GifFrame smallLocal = small;
    smallLocal.localTable = {green, green, green};
    QTest::newRow("no global table: white around the frame")
        << makeGif(2, 2, {}, 0, {smallLocal}) << QList<QRgb>{white, white, white, green};

    GifFrame overhanging{1, 0, 3, 1, false, {}, -1, QByteArray("\x01\x02\x02", 3)};
    QTest::newRow("frame clipped to screen")
        << makeGif(2, 1, global, 0, {overhanging}) << QList<QRgb>{red, green};

    // Nine rows tell the four passes apart: rows 0 and 8, then 4, then 2 and 6, then the odd
    // ones.
    QList<QRgb> ramp;
    for (int row = 0; row < 9; ++row)
        ramp << qRgb(25 * row, 255 - 25 * row, 9 * row);
    GifFrame interlaced{0,    0,  1,  9,
                        true, {}, -1, QByteArray("\0\x08\x04\x02\x06\x01\x03\x05\x07", 9)};
    QTest::newRow("interlaced") << makeGif(1, 9, ramp, 0, {interlaced}) << ramp;

    GifFrame second = full;
    second.indices = QByteArray("\x03\x03\x03\x03", 4);
    QTest::newRow("only the first frame")
        << makeGif(2, 2, global, 0, {full, second}) << QList<QRgb>{red, green, blue, red};
}

void TestGifCodec::readPlacesFirstFrame()
{
    QFETCH(QByteArray, gif);
    QFETCH(QList<QRgb>, expected);
    const QString file = m_dir.filePath("in.gif");
    QVERIFY(writeAll(file, gif));
    QVERIFY2(!QImage(file).isNull(), "fixture must be a valid GIF");

    QImage image;
    QVERIFY_NO_FAILURE(GifCodec::read(file, &image));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.width() * image.height(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(QColor(image.pixel(i % image.width(), i / image.width())), QColor(expected[i]));
}

void TestGifCodec::readRefusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QString good = m_dir.filePath("good.gif");
    QVERIFY_NO_FAILURE(GifCodec::write(good, buttonImage(64, 64, 5)));
    const QByteArray valid = readAll(good);
    const QList<QRgb> table{qRgb(0, 0, 0), qRgb(255, 255, 255)};
    const GifFrame pixel{0, 0, 1, 1, false, {}, -1, QByteArray(1, '\0')};

    QTest::newRow("empty") << QByteArray() << "Error reading GIF file";
    QTest::newRow("not a GIF") << QByteArray("\x89PNG\r\n\x1a\nxxxxxxxxxxxx") << "GIF";
    QTest::newRow("header only") << valid.left(13) << "Error reading GIF file";
    QTest::newRow("truncated in table") << valid.left(300) << "Error reading GIF file";
    QTest::newRow("truncated in data") << valid.left(valid.size() / 2) << "Error reading GIF file";
    QTest::newRow("no image") << makeGif(4, 4, table, 0, {}) << "holds no image";
    QTest::newRow("no colour table") << makeGif(1, 1, {}, 0, {pixel}) << "has no colour table";
    QTest::newRow("screen too large")
        << makeGif(20000, 1, table, 0, {pixel}) << "is too large: 20000 x 1 pixels";
    QTest::newRow("frame too large")
        << makeGif(1, 1, table, 0, {GifFrame{0, 0, 9000, 9000, false, {}, -1, QByteArray(1, '\0')}})
        << "is too large: 9000 x 9000 pixels";
    QTest::newRow("empty frame") << makeGif(4, 4, table, 0,
                                            {GifFrame{0, 0, 0, 0, false, {}, -1, {}}})
                                 << "is empty: 0 x 0 pixels";
    QTest::newRow("empty screen") << makeGif(0, 0, table, 0, {pixel}) << "is empty: 0 x 0 pixels";
}

void TestGifCodec::readRefusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString file = m_dir.filePath("bad.gif");
    QVERIFY(writeAll(file, bytes));
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QImage before = image;
    QString error;
    QVERIFY(failsWith(GifCodec::read(file, &image), &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY2(error.contains(file), qPrintable(error));
    QCOMPARE(image, before);
}

void TestGifCodec::writeIntoMissingDirectoryFails()
{
    const QString file = m_dir.filePath("missing/out.gif");
    QString error;
    QVERIFY(failsWith(GifCodec::write(file, buttonImage()), &error));
    QVERIFY2(error.startsWith("Cannot create file \"" + file + "\". "), qPrintable(error));
    QVERIFY(!QFile::exists(file));

    QVERIFY(failsWith(GifCodec::read(file, nullptr), &error));
    QVERIFY2(error.startsWith("Cannot open file \"" + file + "\". "), qPrintable(error));
}

// The buffer grows from nothing as the encoder appends, keeping every byte it had.
void TestGifCodec::bufferGrowsFromNothing()
{
    const QImage picture = buttonImage(600, 200, 7);
    CodecMemoryBuffer roomy(1 << 20);
    CodecMemoryBuffer empty;
    QVERIFY(GifEncoder::encode(picture, roomy) && GifEncoder::encode(picture, empty));
    QVERIFY(empty.size() > 3 * 4096);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(empty.data()), qsizetype(empty.size())),
             QByteArray(reinterpret_cast<const char*>(roomy.data()), qsizetype(roomy.size())));
}

QTEST_MAIN(TestGifCodec)
#include "tst_GifCodec.moc"
