#include "CodecTestSupport.h"
#include "GifCodec.h"
#include "JpegCodec.h"
#include "OwnImageLoader.h"
#include "PictureDecoders.h"
#include "PngCodec.h"
#include "WebPalette.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace CodecTest;

class TestPictureDecoders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        registerPictureDecoders();
    }
    void loaderUsesOurDecoders_data();
    void loaderUsesOurDecoders();
    void loaderShowsDecoderMessage();

private:
    QTemporaryDir m_dir;
};

void TestPictureDecoders::loaderUsesOurDecoders_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("png") << "own.png";
    QTest::newRow("PNG upper case") << "OWN.PNG";
    QTest::newRow("jpg") << "own.jpg";
    QTest::newRow("jpeg") << "own.JPEG";
    QTest::newRow("gif") << "own.Gif";
}

void TestPictureDecoders::loaderUsesOurDecoders()
{
    QFETCH(QString, name);
    const QImage bitmap = buttonImage(40, 20, 6);
    const QString file = m_dir.filePath(name);
    const QString lower = name.toLower();
    QImage expected;
    if (lower.endsWith(".png")) {
        QVERIFY(PngCodec::writePng(file, bitmap, nullptr));
        expected = bitmap;
    } else if (lower.endsWith(".gif")) {
        QVERIFY(GifCodec::write(file, bitmap, nullptr));
        expected = asRgb32(WebPalette::reduceToWebPalette(bitmap));
    } else {
        QVERIFY(JpegCodec::write(file, bitmap, JpegFileOptions(), nullptr));
        QVERIFY(JpegCodec::read(file, &expected, nullptr));
    }

    OwnImageLoader loader;
    QVERIFY2(loader.load(file), qPrintable(loader.errorString()));
    QCOMPARE(loader.image(), expected);
}

void TestPictureDecoders::loaderShowsDecoderMessage()
{
    const QString file = m_dir.filePath("broken.png");
    QVERIFY(writeAll(file, QByteArray("\x89PNG\r\n\x1a\n", 8)));
    OwnImageLoader loader;
    QVERIFY(!loader.load(file));
    QCOMPARE(loader.errorString(), "Error Reading File!");
}

QTEST_MAIN(TestPictureDecoders)
#include "tst_PictureDecoders.moc"
