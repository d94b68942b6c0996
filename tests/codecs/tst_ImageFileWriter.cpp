#include "CodecTestSupport.h"
#include "ErrorText.h"
#include "GifCodec.h"
#include "ImageFileWriter.h"
#include "JpegCodec.h"
#include "PngCodec.h"
#include "WebPalette.h"

#include <gif_lib.h>

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace CodecTest;

namespace {
// A button image's files in the order the run writes them.
QList<ImageFileWriter::Target> threeFormats(const QString& stem)
{
    return {{ImageFileWriter::Format::Jpeg, stem + ".jpg"},
            {ImageFileWriter::Format::Png, stem + ".png"},
            {ImageFileWriter::Format::Gif, stem + ".gif"}};
}
} // namespace

class TestImageFileWriter : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_temp.reset(new QTemporaryDir);
        QVERIFY(m_temp->isValid());
    }

    void writesThreeFormats_data();
    void writesThreeFormats();
    void replacesExistingFiles();
    void readsOptionsAtEachWrite();
    void missingDirectoryFailsWithPathAndNoFile();
    void stopsAtFirstFailure_data();
    void stopsAtFirstFailure();
    void failedWriteKeepsOldFile_data();
    void failedWriteKeepsOldFile();
    void emptyBitmapFails();
    void alphaInEachFormat();

private:
    QString path(const QString& name) const { return m_temp->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_temp;
};

void TestImageFileWriter::writesThreeFormats_data()
{
    QTest::addColumn<QString>("stem");
    QTest::newRow("plain") << "btn1";
    QTest::newRow("dot in name") << "ver.-2";
    QTest::newRow("two dots and blank") << "a.b. c";
}

void TestImageFileWriter::writesThreeFormats()
{
    QFETCH(QString, stem);
    JpegFileOptions options;
    ImageFileWriter writer(options);
    const QImage bitmap = buttonImage();
    const QString base = path(stem);
    QVERIFY2(writer.write(bitmap, threeFormats(base)),
             qPrintable(ErrorText::messageWithPath(writer.error())));
    QVERIFY(!writer.error());

    QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files, QDir::Name),
             QStringList({stem + ".gif", stem + ".jpg", stem + ".png"}));
    QImage jpeg, png, gif;
    QVERIFY(jpeg.load(base + ".jpg", "JPEG"));
    QVERIFY(png.load(base + ".png", "PNG"));
    QVERIFY(gif.load(base + ".gif", "GIF"));
    QCOMPARE(jpeg.size(), bitmap.size());
    QCOMPARE(asRgb32(png), bitmap);
    QCOMPARE(gif.size(), bitmap.size());
}

void TestImageFileWriter::replacesExistingFiles()
{
    const QString base = path("old");
    for (const char* ext : {".jpg", ".png", ".gif"})
        QVERIFY(writeAll(base + ext, QByteArray(100000, 'x')));
    JpegFileOptions options;
    ImageFileWriter writer(options);
    QVERIFY(writer.write(buttonImage(), threeFormats(base)));
    for (const char* ext : {".jpg", ".png", ".gif"}) {
        QVERIFY(!QImage(base + ext).isNull());
        QVERIFY(QFileInfo(base + ext).size() < 100000);
    }
}

void TestImageFileWriter::readsOptionsAtEachWrite()
{
    JpegFileOptions options;
    ImageFileWriter writer(options);
    const QString base = path("opt");
    QVERIFY(writer.write(buttonImage(), threeFormats(base)));
    const QByteArray first = readAll(base + ".jpg");
    options.quality = 30;
    options.grayscale = 1;
    QVERIFY(writer.write(buttonImage(), threeFormats(base)));
    const QByteArray second = readAll(base + ".jpg");
    QVERIFY(second.size() < first.size());
    const QImage grey(base + ".jpg");
    QVERIFY(grey.isGrayscale());
}

void TestImageFileWriter::missingDirectoryFailsWithPathAndNoFile()
{
    JpegFileOptions options;
    ImageFileWriter writer(options);
    const QString base = path("nowhere/btn1");
    QVERIFY(!writer.write(buttonImage(), threeFormats(base)));
    const QString message = ErrorText::messageWithPath(writer.error());
    QVERIFY2(message.contains(base + ".jpg"), qPrintable(message));
    QVERIFY(!QFileInfo::exists(path("nowhere")));
}

void TestImageFileWriter::stopsAtFirstFailure_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("jpg blocked") << ".jpg" << QStringList();
    QTest::newRow("png blocked") << ".png" << QStringList{".jpg"};
    QTest::newRow("gif blocked") << ".gif" << QStringList{".jpg", ".png"};
}

void TestImageFileWriter::stopsAtFirstFailure()
{
    QFETCH(QString, blocked);
    QFETCH(QStringList, written);
    // A directory under the file's name makes that one format fail.
    const QString base = path("stop");
    QVERIFY(QDir().mkpath(base + blocked));
    JpegFileOptions options;
    ImageFileWriter writer(options);
    QVERIFY(!writer.write(buttonImage(), threeFormats(base)));
    const QString message = ErrorText::messageWithPath(writer.error());
    QVERIFY2(message.contains(base + blocked), qPrintable(message));
    QCOMPARE(writer.written(), written.size());
    for (const char* ext : {".jpg", ".png", ".gif"}) {
        if (blocked != ext)
            QCOMPARE(QFileInfo(base + ext).isFile(), written.contains(ext));
    }
}

void TestImageFileWriter::failedWriteKeepsOldFile_data()
{
    QTest::addColumn<QString>("failing");
    QTest::newRow("jpg") << ".jpg";
    QTest::newRow("png") << ".png";
    QTest::newRow("gif") << ".gif";
}

void TestImageFileWriter::failedWriteKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, failing);
    // A file size limit one byte below the encoded size makes the write fail after the file
    // was created; the picture of an earlier run stays whole.
    const QImage bitmap = buttonImage(200, 100, 7);
    const JpegFileOptions options;
    const auto write = [&](const QString& file) {
        if (failing == ".jpg")
            return JpegCodec::write(file, bitmap, options);
        if (failing == ".png")
            return PngCodec::writePng(file, bitmap);
        return GifCodec::write(file, bitmap);
    };
    const QString probe = path("probe" + failing);
    QVERIFY_NO_FAILURE(write(probe));

    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    rlimit limited = saved;
    limited.rlim_cur = rlim_t(QFileInfo(probe).size() - 1);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    const QString file = path("limited" + failing);
    {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old picture") == 11);
    }
    const Failure failure = write(file);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(failure);
    // Worded as every other full disk of the program.
    QCOMPARE(ErrorText::message(failure), "Cannot write file \"" + file + "\". Disk full");
    QFile old(file);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old picture"));
    QVERIFY(
        QDir(QFileInfo(file).path()).entryList({".*.tmp"}, QDir::Files | QDir::Hidden).isEmpty());
#else
    QSKIP("needs a file size limit");
#endif
}

void TestImageFileWriter::emptyBitmapFails()
{
    JpegFileOptions options;
    ImageFileWriter writer(options);
    const QString base = path("empty");
    QVERIFY(!writer.write(QImage(), threeFormats(base)));
    QVERIFY(ErrorText::messageWithPath(writer.error()).contains(base + ".jpg"));
    QVERIFY(!QFileInfo::exists(base + ".jpg"));
}

// Read back by other decoders than ours: PNG and WebP keep every pixel with its alpha, GIF89a
// gives the pixels under half covered its transparent index and lays the others over the page
// colour, and JPEG lays everything over it.
void TestImageFileWriter::alphaInEachFormat()
{
    // Columns from transparent (with a colour that must not show) to opaque.
    const QRgb page = qRgb(16, 32, 200);
    QImage bitmap(32, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const int a = std::clamp((x - 12) * 32, 0, 255);
            bitmap.setPixel(x, y, a ? qRgba(220, 40, 90 + y, a) : qRgba(0, 255, 0, 0));
        }
    JpegFileOptions options;
    ImageFileWriter writer(options, page);
    const QString base = path("alpha");
    QVERIFY(writer.write(bitmap, threeFormats(base) << ImageFileWriter::Target{
                                     ImageFileWriter::Format::WebP, base + ".webp"}));

    const QByteArray png = readAll(base + ".png");
    QCOMPARE(png.mid(24, 2), QByteArray("\x08\x06")); // 8 bits, RGBA
    QCOMPARE(QImage(base + ".png").convertToFormat(QImage::Format_ARGB32), bitmap);
    QCOMPARE(decodedByDwebp(base + ".webp"), bitmap);

    const QImage jpeg(base + ".jpg");
    QCOMPARE(jpeg.hasAlphaChannel(), false);
    for (const QPoint at : {QPoint(3, 3), QPoint(28, 12)}) {
        const QRgb expected = at.x() < 16 ? page : bitmap.pixel(at);
        const QRgb seen = jpeg.pixel(at);
        QVERIFY2(qAbs(qRed(seen) - qRed(expected)) <= 12 &&
                     qAbs(qGreen(seen) - qGreen(expected)) <= 12 &&
                     qAbs(qBlue(seen) - qBlue(expected)) <= 12,
                 qPrintable(QString::number(seen, 16)));
    }

    QCOMPARE(readAll(base + ".gif").left(6), QByteArray("GIF89a"));
    int error = 0;
    GifFileType* gif = DGifOpenFileName(qPrintable(base + ".gif"), &error);
    QVERIFY(gif && DGifSlurp(gif) == GIF_OK && gif->ImageCount == 1);
    GraphicsControlBlock control{};
    QCOMPARE(DGifSavedExtensionToGCB(gif, 0, &control), GIF_OK);
    const int transparent = control.TransparentColor;
    QVERIFY(transparent >= WebPalette::ColorCount);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = bitmap.pixel(x, y);
            const int a = qAlpha(p);
            const auto over = [a](int c, int under) {
                return int(std::lround((c * a + under * (255 - a)) / 255.0));
            };
            const int index = gif->SavedImages[0].RasterBits[y * 32 + x];
            const int expected = a < 128 ? transparent
                                         : WebPalette::indexOf(qRgb(over(qRed(p), qRed(page)),
                                                                    over(qGreen(p), qGreen(page)),
                                                                    over(qBlue(p), qBlue(page))));
            QCOMPARE(index, expected);
        }
    DGifCloseFile(gif, &error);
}

QTEST_MAIN(TestImageFileWriter)
#include "tst_ImageFileWriter.moc"
