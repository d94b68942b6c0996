#include "CodecTestSupport.h"
#include "WebPCodec.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace CodecTest;

namespace {

QByteArray le24(int value)
{
    return QByteArray(1, char(value & 0xff)) + char((value >> 8) & 0xff) +
           char((value >> 16) & 0xff);
}

// A file holding only the extended header, which states the canvas size and the flags.
QByteArray extendedHeader(int width, int height, quint8 flags)
{
    const QByteArray chunk =
        "VP8X" + le16(10) + le16(0) + char(flags) + le24(0) + le24(width - 1) + le24(height - 1);
    return "RIFF" + le16(4 + chunk.size()) + le16(0) + "WEBP" + chunk;
}

// A flat button of `colours` colours, one per column stripe: what a caption drawn without
// smoothing on a solid colour gives. Transparent pixels, where asked, keep colours of their own.
QImage flatButton(int colours, bool transparentCorners)
{
    QImage image(120, 32, transparentCorners ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(20 * (x * colours / image.width()), 200, y < 16 ? 90 : 91));
    if (transparentCorners) {
        for (int x = 0; x < 3; ++x)
            image.setPixel(x, 0, qRgba(255, 40 * x, 0, 0));
    }
    return image;
}

} // namespace

class TestWebPCodec : public QObject
{
    Q_OBJECT

private slots:
    void writeDecodesToTheSamePixels_data();
    void writeDecodesToTheSamePixels();
    void tooWideIsRefusedWithItsReason();
    void readsAsDwebpDoes();
    void readRefusesBadFiles_data();
    void readRefusesBadFiles();

private:
    QTemporaryDir m_dir;
};

void TestWebPCodec::writeDecodesToTheSamePixels_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::newRow("button 120x32") << buttonImage();
    QTest::newRow("one pixel") << buttonImage(1, 1);
    QTest::newRow("RGB888 input") << buttonImage(33, 9, 2).convertToFormat(QImage::Format_RGB888);
    QTest::newRow("widest the format holds") << buttonImage(WebPCodec::maxSide, 2, 1);
    QTest::newRow("textured B97") << QImage(TEST_DATA_DIR "/../../resources/backgrounds/b97.bmp");
    // Flat buttons are packed with less effort: up to 16 colours, the transparent ones included.
    QTest::newRow("flat, 16 colours") << flatButton(8, false);
    QTest::newRow("flat, 18 colours") << flatButton(9, false).copy(0, 0, 120, 17);
    QTest::newRow("flat, transparent corner") << flatButton(6, true);
}

void TestWebPCodec::writeDecodesToTheSamePixels()
{
    QFETCH(QImage, bitmap);
    QVERIFY(!bitmap.isNull());
    const QString file = m_dir.filePath("out.webp");
    QVERIFY_NO_FAILURE(WebPCodec::write(file, bitmap));

    const QImage byDwebp = decodedByDwebp(file);
    QVERIFY2(!byDwebp.isNull(), "dwebp could not decode the file (is the webp package there?)");
    QCOMPARE(byDwebp, bitmap.convertToFormat(QImage::Format_ARGB32));
    QImage ours;
    QVERIFY_NO_FAILURE(WebPCodec::read(file, &ours));
    QCOMPARE(ours.format(),
             bitmap.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QCOMPARE(ours, bitmap.convertToFormat(ours.format()));
}

void TestWebPCodec::tooWideIsRefusedWithItsReason()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("x.webp");
    QVERIFY(writeAll(file, "old"));
    QString error;
    QVERIFY(failsWith(WebPCodec::write(file, buttonImage(WebPCodec::maxSide + 1, 1)), &error));
    QCOMPARE(error, "Error writing WebP file \"" + file +
                        "\": 16384 x 1 pixels is more than 16383 pixels a side");
    QCOMPARE(readAll(file), QByteArray("old"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"x.webp"});
}

void TestWebPCodec::readsAsDwebpDoes()
{
    // Lossy and lossless, with and without alpha: files our encoder never writes.
    const QDir seeds(TEST_DATA_DIR "/../../fuzz/corpus/webp");
    const QStringList names = seeds.entryList(QDir::Files);
    QVERIFY(names.size() >= 4);
    for (const QString& name : names) {
        QImage ours;
        QVERIFY_NO_FAILURE(WebPCodec::read(seeds.filePath(name), &ours));
        QCOMPARE(ours.convertToFormat(QImage::Format_ARGB32), decodedByDwebp(seeds.filePath(name)));
    }
}

void TestWebPCodec::readRefusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");
    const QString invalid = "Error reading WebP file \"%1\": the file is not a valid WebP picture";
    QTest::newRow("not WebP") << QByteArray("GIF89a").repeated(20) << invalid;
    QTest::newRow("size claim beyond the limits")
        << extendedHeader(16383, 16383, 0)
        << "Picture \"%1\" is too large: 16383 x 16383 pixels (at most 16384 pixels a side and "
           "64 megapixels).";
    QTest::newRow("animated") << extendedHeader(20, 10, 0x02)
                              << "Error reading WebP file \"%1\": animated pictures cannot be read";
    QTest::newRow("header without pixels")
        << extendedHeader(20, 10, 0) << "Error reading WebP file \"%1\": the file is cut short";
}

void TestWebPCodec::readRefusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const QString file = m_dir.filePath("in.webp");
    QVERIFY(writeAll(file, bytes));
    QImage image(1, 1, QImage::Format_RGB32);
    QString error;
    QVERIFY(failsWith(WebPCodec::read(file, &image), &error));
    QCOMPARE(error, reason.arg(file));
    QCOMPARE(image.size(), QSize(1, 1)); // left alone
}

QTEST_GUILESS_MAIN(TestWebPCodec)
#include "tst_WebPCodec.moc"
