#include "CodecTestSupport.h"
#include "JpegCodec.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace CodecTest;

namespace {

double meanAbsoluteDifference(const QImage& a, const QImage& b)
{
    const QImage x = asRgb32(a), y = asRgb32(b);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            sum +=
                qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    }
    return double(sum) / (3.0 * x.width() * x.height());
}

struct FrameInfo
{
    int sofMarker = 0; // 0xC0 baseline, 0xC2 progressive
    int components = 0;
    int width = 0, height = 0;
    qsizetype sofOffset = -1;
    bool jfif = false;
};

// Walks the markers up to the first start of scan.
FrameInfo frameInfo(const QByteArray& jpeg)
{
    FrameInfo info;
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && quint8(jpeg[at]) == 0xff) {
        const int marker = quint8(jpeg[at + 1]);
        const int length = (quint8(jpeg[at + 2]) << 8) | quint8(jpeg[at + 3]);
        if (marker == 0xe0 && jpeg.mid(at + 4, 5) == QByteArray("JFIF\0", 5))
            info.jfif = true;
        if (marker >= 0xc0 && marker <= 0xc2) {
            info.sofMarker = marker;
            info.sofOffset = at;
            info.height = (quint8(jpeg[at + 5]) << 8) | quint8(jpeg[at + 6]);
            info.width = (quint8(jpeg[at + 7]) << 8) | quint8(jpeg[at + 8]);
            info.components = quint8(jpeg[at + 9]);
        }
        if (marker == 0xda)
            break;
        at += 2 + length;
    }
    return info;
}

// A grey progressive size x size picture (size a multiple of 1024) of `scans` valid scans: one
// DC scan, then AC scans that end every block with runs of 2^14 blocks. Tables with one-bit
// codes keep it small; see codecs/jpeg/make_files.py.
QByteArray manyScans(int size, int scans)
{
    QByteArray out = QByteArray::fromHex("ffd8");
    const auto segment = [&out](int marker, const QByteArray& payload) {
        const int length = int(payload.size()) + 2;
        out += char(0xff);
        out += char(marker);
        out += char(length >> 8);
        out += char(length & 0xff);
        out += payload;
    };
    const QByteArray side = QByteArray(1, char(size >> 8)) + char(size & 0xff);
    segment(0xdb, QByteArray(1, '\0') + QByteArray(64, '\1'));
    segment(0xc2, "\x08" + side + side + QByteArray::fromHex("01011100"));
    segment(0xc4, QByteArray::fromHex("000100000000000000000000000000000000"));
    segment(0xc4, QByteArray::fromHex("100101000000000000000000000000000000e0"));
    const int blocks = (size / 8) * (size / 8);
    const auto scan = [&](int first, int ah, int al, const QByteArray& data) {
        segment(0xda,
                QByteArray::fromHex("010100") + char(first) + char(first) + char(ah << 4 | al));
        out += data;
    };
    scan(0, 0, 0, QByteArray(blocks / 8, '\0')); // DC category 0 is the code "0"
    const QByteArray runs = QByteArray::fromHex("8000").repeated(blocks / 16384);
    int n = 1;
    for (int k = 1; k < 64 && n < scans; ++k) {
        scan(k, 0, 13, runs);
        ++n;
        for (int ah = 13; ah > 0 && n < scans; --ah, ++n)
            scan(k, ah, ah - 1, runs);
    }
    return out + QByteArray::fromHex("ffd9");
}

QByteArray dataFile(const QString& name)
{
    return readAll(QStringLiteral(TEST_DATA_DIR "/codecs/jpeg/") + name + ".jpg");
}

} // namespace

class TestJpegCodec : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void writeReadsBackClosely_data();
    void writeReadsBackClosely();
    void streamBeyondThePresetBuffer();
    void onlyFileSettingsChangeBytes_data();
    void onlyFileSettingsChangeBytes();
    void qualityOutsideItsRange_data();
    void qualityOutsideItsRange();
    void inputFormatDoesNotChangeBytes();
    void readsGreyAndCmyk();
    void readRefusesBadFiles_data();
    void readRefusesBadFiles();
    void readAcceptsHarmlessOddities_data();
    void readAcceptsHarmlessOddities();
    void largePicturesHaveFewerScans();
    void decoderMemoryCountsEveryComponent();
    void writeIntoMissingDirectoryFails();

private:
    QByteArray encode(const QImage& bitmap, const JpegFileOptions& options)
    {
        const QString file = m_dir.filePath("encode.jpg");
        if (const Failure failure = JpegCodec::write(file, bitmap, options))
            qWarning() << ErrorText::message(failure);
        return readAll(file);
    }
    QTemporaryDir m_dir;
};

void TestJpegCodec::writeReadsBackClosely_data()
{
    QTest::addColumn<QImage>("bitmap");
    QTest::addColumn<int>("quality");
    QTest::newRow("button q90") << buttonImage() << 90;
    QTest::newRow("button q100") << buttonImage() << 100;
    QTest::newRow("odd size") << buttonImage(13, 7, 4) << 90;
    QTest::newRow("one pixel") << buttonImage(1, 1) << 90;
    QImage smooth(120, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 120; ++x)
            smooth.setPixel(x, y, qRgb(200 - y, 100 + x / 2, 60));
    QTest::newRow("smooth gradient") << smooth << 90;
}

void TestJpegCodec::writeReadsBackClosely()
{
    QFETCH(QImage, bitmap);
    QFETCH(int, quality);
    JpegFileOptions options;
    options.quality = quint8(quality);
    const QString file = m_dir.filePath("out.jpg");
    QVERIFY_NO_FAILURE(JpegCodec::write(file, bitmap, options));

    const QImage byQt(file);
    QCOMPARE(byQt.size(), bitmap.size());
    // Chroma subsampling costs the fine coloured strokes some accuracy; Qt's own encoder at the
    // same quality sets the bar.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(bitmap.save(&buffer, "JPEG", quality));
    const QImage reference = QImage::fromData(buffer.data(), "JPEG");
    const double ourError = meanAbsoluteDifference(byQt, bitmap);
    const double qtError = meanAbsoluteDifference(reference, bitmap);
    QVERIFY2(ourError < qtError * 1.1 + 0.5 && ourError < 16,
             qPrintable(QString("%1 vs %2").arg(ourError).arg(qtError)));

    QImage ours;
    QVERIFY_NO_FAILURE(JpegCodec::read(file, &ours));
    QCOMPARE(ours.format(), QImage::Format_RGB32);
    QCOMPARE(ours.size(), bitmap.size());
    QVERIFY(meanAbsoluteDifference(ours, byQt) < 1.5);
}

void TestJpegCodec::streamBeyondThePresetBuffer()
{
    // Noise at quality 100 gives a stream of about 11 MB, more than the encoder sets aside.
    QImage noise(3000, 2000, QImage::Format_RGB32);
    quint32 state = 1;
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x)
            line[x] = 0xff000000u | ((state = state * 1664525u + 1013904223u) >> 8);
    }
    JpegFileOptions options;
    options.quality = 100;
    const QString file = m_dir.filePath("noise.jpg");
    QVERIFY_NO_FAILURE(JpegCodec::write(file, noise, options));
    QVERIFY(QFileInfo(file).size() > 8 << 20);
    QImage back;
    QVERIFY_NO_FAILURE(JpegCodec::read(file, &back));
    QCOMPARE(back.size(), noise.size());
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(noise.save(&buffer, "JPEG", 100));
    const QImage reference = QImage::fromData(buffer.data(), "JPEG");
    QVERIFY(meanAbsoluteDifference(back, noise) < meanAbsoluteDifference(reference, noise) + 0.5);
}

void TestJpegCodec::onlyFileSettingsChangeBytes_data()
{
    QTest::addColumn<JpegFileOptions>("changed");
    QTest::addColumn<bool>("bytesChange");
    QTest::addColumn<int>("components");
    QTest::addColumn<int>("sofMarker");

    JpegFileOptions o;
    o = {};
    o.pixelFormat = 1;
    QTest::newRow("pixelFormat") << o << false << 3 << 0xc0;
    o = {};
    o.performance = 1;
    QTest::newRow("performance") << o << false << 3 << 0xc0;
    o = {};
    o.progressiveDisplay = 1;
    QTest::newRow("progressiveDisplay") << o << false << 3 << 0xc0;
    o = {};
    o.smoothing = 0;
    QTest::newRow("smoothing") << o << false << 3 << 0xc0;
    o = {};
    o.retainSettings = 1;
    QTest::newRow("retainSettings") << o << false << 3 << 0xc0;
    o = {};
    o.quality = 50;
    QTest::newRow("quality") << o << true << 3 << 0xc0;
    o = {};
    o.grayscale = 7;
    QTest::newRow("grayscale") << o << true << 1 << 0xc0;
    o = {};
    o.progressiveEncoding = 1;
    QTest::newRow("progressive") << o << true << 3 << 0xc2;
}

void TestJpegCodec::onlyFileSettingsChangeBytes()
{
    QFETCH(JpegFileOptions, changed);
    QFETCH(bool, bytesChange);
    QFETCH(int, components);
    QFETCH(int, sofMarker);
    const QImage bitmap = buttonImage();
    const QByteArray reference = encode(bitmap, JpegFileOptions());
    const QByteArray bytes = encode(bitmap, changed);
    QVERIFY(!reference.isEmpty());
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(bytes != reference, bytesChange);

    const FrameInfo info = frameInfo(bytes);
    QVERIFY(info.jfif);
    QCOMPARE(info.components, components);
    QCOMPARE(info.sofMarker, sofMarker);
    QCOMPARE(info.width, 120);
    QCOMPARE(info.height, 32);
}

void TestJpegCodec::qualityOutsideItsRange_data()
{
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("writtenAs");
    QTest::newRow("101 is 100") << 101 << 100;
    QTest::newRow("255 is 100") << 255 << 100;
    QTest::newRow("100 is itself") << 100 << 100;
    QTest::newRow("99 is itself") << 99 << 99;
    QTest::newRow("0 is 1") << 0 << 1;
}

void TestJpegCodec::qualityOutsideItsRange()
{
    QFETCH(int, quality);
    QFETCH(int, writtenAs);
    const QImage bitmap = buttonImage();
    JpegFileOptions options;
    options.quality = quint8(quality);
    const QByteArray bytes = encode(bitmap, options);
    QVERIFY(!bytes.isEmpty());
    // Neighbouring qualities write different tables, so only the named one matches.
    for (int q = qMax(1, writtenAs - 1); q <= qMin(100, writtenAs + 1); ++q) {
        options.quality = quint8(q);
        QCOMPARE(encode(bitmap, options) == bytes, q == writtenAs);
    }
}

void TestJpegCodec::inputFormatDoesNotChangeBytes()
{
    const QImage bitmap = buttonImage(50, 20, 1);
    JpegFileOptions grey;
    grey.grayscale = 1;
    for (const JpegFileOptions& options : {JpegFileOptions(), grey}) {
        const QByteArray from32 = encode(bitmap, options);
        const QByteArray from24 = encode(bitmap.convertToFormat(QImage::Format_RGB888), options);
        const QByteArray fromArgb = encode(bitmap.convertToFormat(QImage::Format_ARGB32), options);
        QVERIFY(!from32.isEmpty());
        QCOMPARE(from24, from32);
        QCOMPARE(fromArgb, from32);
    }
}

void TestJpegCodec::readsGreyAndCmyk()
{
    JpegFileOptions grey;
    grey.grayscale = 1;
    const QString greyFile = m_dir.filePath("grey.jpg");
    QVERIFY_NO_FAILURE(JpegCodec::write(greyFile, buttonImage(), grey));
    QImage image;
    QVERIFY_NO_FAILURE(JpegCodec::read(greyFile, &image));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(120, 32));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
        }
    }
    QVERIFY(meanAbsoluteDifference(image, QImage(greyFile)) < 1.0);

    // Adobe CMYK: left half cyan ink, right half magenta and yellow ink.
    const QString cmykFile = QStringLiteral(TEST_DATA_DIR "/codecs/cmyk-adobe.jpg");
    QVERIFY_NO_FAILURE(JpegCodec::read(cmykFile, &image));
    QCOMPARE(image.size(), QSize(16, 8));
    const auto near = [](QRgb a, QRgb b) {
        return qAbs(qRed(a) - qRed(b)) < 12 && qAbs(qGreen(a) - qGreen(b)) < 12 &&
               qAbs(qBlue(a) - qBlue(b)) < 12;
    };
    QVERIFY(near(image.pixel(2, 4), qRgb(0, 255, 255)));
    QVERIFY(near(image.pixel(13, 4), qRgb(255, 0, 0)));
    QVERIFY(meanAbsoluteDifference(image, QImage(cmykFile)) < 2.0);

    // Black ink darkens every channel: left half black alone, right half with cyan (Adobe ink,
    // half black, as libjpeg writes it).
    const QString blackFile = QStringLiteral(TEST_DATA_DIR "/codecs/cmyk-black.jpg");
    QVERIFY_NO_FAILURE(JpegCodec::read(blackFile, &image));
    QVERIFY(near(image.pixel(2, 4), qRgb(127, 127, 127)));
    QVERIFY(near(image.pixel(13, 4), qRgb(0, 127, 127)));
}

void TestJpegCodec::readRefusesBadFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");

    const QByteArray valid = encode(buttonImage(64, 64, 2), JpegFileOptions());
    JpegFileOptions progressive;
    progressive.progressiveEncoding = 1;
    const QByteArray validProgressive = encode(buttonImage(64, 64, 2), progressive);
    QVERIFY(!valid.isEmpty() && !validProgressive.isEmpty());

    const auto withSize = [&](int width, int height) {
        QByteArray bytes = valid;
        const qsizetype sof = frameInfo(valid).sofOffset;
        bytes[sof + 5] = char(height >> 8);
        bytes[sof + 6] = char(height & 0xff);
        bytes[sof + 7] = char(width >> 8);
        bytes[sof + 8] = char(width & 0xff);
        return bytes;
    };

    QTest::newRow("empty") << QByteArray() << "Error reading JPEG file";
    QTest::newRow("not a JPEG") << QByteArray("\x89PNG\r\n\x1a\n and more") << "Not a JPEG file";
    QTest::newRow("truncated half") << valid.left(valid.size() / 2) << "Premature end of JPEG file";
    QTest::newRow("truncated progressive")
        << validProgressive.left(validProgressive.size() * 2 / 3) << "Premature end of JPEG file";
    QTest::newRow("truncated in header") << valid.left(100) << "Premature end of JPEG file";
    QTest::newRow("too wide") << withSize(20000, 64) << "is too large: 20000 x 64 pixels";
    QTest::newRow("too many pixels") << withSize(9000, 9000) << "is too large: 9000 x 9000 pixels";

    // Damage that libjpeg only warns about; see codecs/jpeg/make_files.py.
    const struct
    {
        const char* file;
        const char* message;
    } damaged[] = {
        {"cut-after-scan-header", "Premature end of JPEG file"},
        {"no-scan-data", "premature end of data segment"},
        {"extraneous-bytes", "3 extraneous bytes before marker 0xda"},
        {"bad-huffman-code", "bad Huffman code"},
        {"wrong-restart-marker", "found marker 0xd5 instead of RST0"},
        {"baseline-spectral-selection", "Invalid SOS parameters for sequential JPEG"},
        {"progression-without-dc", "Inconsistent progression sequence"},
        {"adobe-transform-7", "Unknown Adobe color transform code 7"},
        {"scans-501", "Progressive JPEG image has more than 500 scans"},
        {"progressive-444-64mp", "JPEG image needs more than 512 MB to decode"},
    };
    for (const auto& d : damaged)
        QTest::newRow(d.file) << dataFile(d.file) << QString::fromLatin1(d.message);
}

void TestJpegCodec::readAcceptsHarmlessOddities_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("reference") << "good";
    QTest::newRow("newer JFIF revision") << "jfif-revision-2";
    QTest::newRow("500 scans") << "scans-500";
}

void TestJpegCodec::readAcceptsHarmlessOddities()
{
    QFETCH(QString, name);
    const QString file = m_dir.filePath("odd.jpg");
    QVERIFY(writeAll(file, dataFile(name)));
    QImage image;
    QVERIFY_NO_FAILURE(JpegCodec::read(file, &image));
    QCOMPARE(image.size(), QSize(8, 8));
}

void TestJpegCodec::readRefusesBadFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString file = m_dir.filePath("bad.jpg");
    QVERIFY(writeAll(file, bytes));
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::green);
    const QImage before = image;
    QString error;
    QVERIFY(failsWith(JpegCodec::read(file, &image), &error));
    QVERIFY2(error.contains(message), qPrintable(error));
    QVERIFY2(error.contains(file), qPrintable(error));
    QCOMPARE(image, before);
}

// A file of several scans keeps every coefficient of every component while it is read, two
// bytes each: three full-size components weigh more than the picture they decode to.
void TestJpegCodec::decoderMemoryCountsEveryComponent()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("colour.jpg"));
    QByteArray colour = manyScans(1024, 1);
    const QByteArray grey = QByteArray::fromHex("ffc2000b080400040001011100");
    QVERIFY(colour.contains(grey));
    colour.replace(grey, QByteArray::fromHex("ffc20011080400040003011100021100031100"));
    QVERIFY(writeAll(path, colour));
    PictureHeader header;
    QVERIFY(!JpegCodec::readHeader(path, &header).isError());
    const qint64 pixels = 1024 * 1024;
    QCOMPARE(header.decodeBytes, 3 * pixels + 3 * 2 * pixels + 1024 * 64);
}

void TestJpegCodec::largePicturesHaveFewerScans()
{
    // 33 scans over 64 megapixels would cost as much as 500 over 4.
    const QString file = m_dir.filePath("scans.jpg");
    QVERIFY(writeAll(file, manyScans(8192, 33)));
    QImage image;
    QString error;
    QVERIFY(failsWith(JpegCodec::read(file, &image), &error));
    QVERIFY2(error.endsWith(QStringLiteral("more than 32 scans")), qPrintable(error));
}

void TestJpegCodec::writeIntoMissingDirectoryFails()
{
    const QString file = m_dir.filePath("missing/out.jpg");
    QString error;
    QVERIFY(failsWith(JpegCodec::write(file, buttonImage(), JpegFileOptions()), &error));
    QVERIFY2(error.startsWith("Cannot create file \"" + file + "\". "), qPrintable(error));
    QVERIFY(!QFile::exists(file));

    QVERIFY(failsWith(JpegCodec::read(file, nullptr), &error));
    QVERIFY2(error.startsWith("Cannot open file \"" + file + "\". "), qPrintable(error));
}

QTEST_MAIN(TestJpegCodec)
#include "tst_JpegCodec.moc"
