#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "PredefinedBackground.h"

#include <QFile>
#include <QSet>
#include <QtEndian>
#include <QtTest>

class tst_PredefinedBackground : public QObject
{
    Q_OBJECT

private slots:
    void listTexts_data();
    void listTexts();
    void everyEntryIsDistinctAndSized();
    void familySizes_data();
    void familySizes();
    void resourcesAreUncompressed8BitBitmaps();
    void picturesHaveTheStatedSize();
    void lookupIgnoresCase();
    void outsideTheCatalogue_data();
    void outsideTheCatalogue();
    void reloadFollowsEachStatesIndex();
    void doubleSizePicturesMatchWhenScaledDown();
    void doubleSizeSetFollowsTheStates();
    void shapedPicturesHaveTheirCoverage();
};

void tst_PredefinedBackground::listTexts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::newRow("first") << 0 << "146x34 yellow button ";
    QTest::newRow("two trailing blanks") << 1 << "146x34 blue button  ";
    QTest::newRow("plate, no blank") << 10 << "153x36 yellow plate";
    QTest::newRow("typo kept") << 22 << "150x40 loght blue explosion";
    QTest::newRow("word order kept") << 39 << "170x40 flying purple box border";
    QTest::newRow("oval purple") << 49 << "155x35 oval purple button";
    QTest::newRow("simple last") << 63 << "100x30 brown-orange simple button";
    QTest::newRow("rounded two blanks") << 65 << "107x37 blue rounded button  ";
    QTest::newRow("control first") << 74 << "150x40 silver control button";
    QTest::newRow("gem two blanks") << 83 << "163x43 blue gem button  ";
    QTest::newRow("gem one blank") << 91 << "163x43 purple gem button ";
    QTest::newRow("last") << 99 << "172x31 texture 8 button";
}

void tst_PredefinedBackground::listTexts()
{
    QFETCH(int, index);
    QFETCH(QString, text);
    QCOMPARE(PredefinedBackground::listText(index), text);
    QCOMPARE(PredefinedBackground::listTexts().at(index), text);
}

void tst_PredefinedBackground::everyEntryIsDistinctAndSized()
{
    const QStringList texts = PredefinedBackground::listTexts();
    QCOMPARE(texts.size(), PredefinedBackground::count);
    QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), PredefinedBackground::count);
    // Each text starts with the picture's size as width x height.
    for (int i = 0; i < PredefinedBackground::count; ++i) {
        const QSize size = PredefinedBackground::size(i);
        const QString prefix = QStringLiteral("%1x%2 ").arg(size.width()).arg(size.height());
        QVERIFY2(texts[i].startsWith(prefix), qPrintable(texts[i]));
    }
}

void tst_PredefinedBackground::familySizes_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QSize>("size");
    QTest::newRow("buttons") << 0 << 9 << QSize(146, 34);
    QTest::newRow("plates") << 10 << 19 << QSize(153, 36);
    QTest::newRow("explosions") << 20 << 29 << QSize(150, 40);
    QTest::newRow("flying boxes") << 30 << 39 << QSize(170, 40);
    QTest::newRow("ovals") << 40 << 49 << QSize(155, 35);
    QTest::newRow("simple") << 50 << 63 << QSize(100, 30);
    QTest::newRow("rounded") << 64 << 73 << QSize(107, 37);
    QTest::newRow("control") << 74 << 81 << QSize(150, 40);
    QTest::newRow("gems") << 82 << 91 << QSize(163, 43);
    QTest::newRow("textures") << 92 << 99 << QSize(172, 31);
}

void tst_PredefinedBackground::familySizes()
{
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QSize, size);
    for (int i = first; i <= last; ++i)
        QCOMPARE(PredefinedBackground::size(i), size);
}

void tst_PredefinedBackground::resourcesAreUncompressed8BitBitmaps()
{
    for (int i = 0; i < PredefinedBackground::count; ++i) {
        const QString path = PredefinedBackground::resourcePath(i);
        QCOMPARE(path, QStringLiteral(":/backgrounds/b%1.bmp").arg(i + 1));
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 54);
        const char* d = bytes.constData();
        QVERIFY(bytes.startsWith("BM"));
        const quint32 pixelOffset = qFromLittleEndian<quint32>(d + 10);
        const quint32 infoSize = qFromLittleEndian<quint32>(d + 14);
        const qint32 width = qFromLittleEndian<qint32>(d + 18);
        const qint32 height = qFromLittleEndian<qint32>(d + 22);
        const quint16 bitsPerPixel = qFromLittleEndian<quint16>(d + 28);
        const quint32 compression = qFromLittleEndian<quint32>(d + 30);
        const quint32 colorsUsed = qFromLittleEndian<quint32>(d + 46);
        const quint32 paletteEntries = colorsUsed ? colorsUsed : 256;
        QCOMPARE(infoSize, 40u);
        QCOMPARE(bitsPerPixel, quint16(8));
        QCOMPARE(compression, 0u);
        QCOMPARE(QSize(width, qAbs(height)), PredefinedBackground::size(i));
        // The colour table sits between the headers and the pixels.
        QVERIFY(paletteEntries > 0 && paletteEntries <= 256);
        QVERIFY(pixelOffset >= 14 + infoSize + 4 * paletteEntries);
        const quint32 stride = (quint32(width) + 3) & ~3u;
        QVERIFY(quint32(bytes.size()) >= pixelOffset + stride * quint32(qAbs(height)));
    }
}

void tst_PredefinedBackground::picturesHaveTheStatedSize()
{
    for (int i = 0; i < PredefinedBackground::count; ++i) {
        const QImage image = PredefinedBackground::load(i);
        QVERIFY2(!image.isNull(), qPrintable(PredefinedBackground::resourceName(i)));
        QCOMPARE(image.size(), PredefinedBackground::size(i));
        QCOMPARE(image.format(), QImage::Format_RGB32);
        // A real picture, not a blank placeholder.
        QSet<QRgb> colors;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                colors.insert(image.pixel(x, y));
        QVERIFY2(colors.size() > 4, qPrintable(PredefinedBackground::resourceName(i)));
    }
}

void tst_PredefinedBackground::lookupIgnoresCase()
{
    const QImage lower = PredefinedBackground::loadByName(QStringLiteral("b17"));
    QVERIFY(!lower.isNull());
    QCOMPARE(PredefinedBackground::loadByName(QStringLiteral("B17")), lower);
    QCOMPARE(PredefinedBackground::load(16), lower);
    QCOMPARE(PredefinedBackground::resourceName(16), QStringLiteral("b17"));
    QVERIFY(PredefinedBackground::loadByName(QStringLiteral("B101")).isNull());
    QVERIFY(PredefinedBackground::loadByName(QStringLiteral("B0")).isNull());
    QVERIFY(PredefinedBackground::loadByName(QStringLiteral("b1.bmp")).isNull());
    QVERIFY(PredefinedBackground::loadByName(QStringLiteral("../b1")).isNull());
}

void tst_PredefinedBackground::outsideTheCatalogue_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("none") << -1;
    QTest::newRow("one past") << 100;
    QTest::newRow("far below") << std::numeric_limits<int>::min();
    QTest::newRow("far above") << std::numeric_limits<int>::max();
}

void tst_PredefinedBackground::outsideTheCatalogue()
{
    QFETCH(int, index);
    QVERIFY(PredefinedBackground::listText(index).isEmpty());
    QVERIFY(!PredefinedBackground::size(index).isValid());
    QVERIFY(PredefinedBackground::load(index).isNull());
    QVERIFY(PredefinedBackground::resourcePath(index).isEmpty());
}

void tst_PredefinedBackground::reloadFollowsEachStatesIndex()
{
    ButtonProject project;
    BackgroundPictures pictures;
    pictures.setPredefined(ButtonState::Pressed, PredefinedBackground::load(0));
    project.normal.predefinedIndex = 50;
    project.selected.predefinedIndex = 99;
    project.pressed.predefinedIndex = -1;
    PredefinedBackground::reloadPictures(project, pictures);
    QCOMPARE(pictures.predefined(ButtonState::Normal).size(), QSize(100, 30));
    QCOMPARE(pictures.predefined(ButtonState::Selected).size(), QSize(172, 31));
    QVERIFY(pictures.predefined(ButtonState::Pressed).isNull());
}

void tst_PredefinedBackground::doubleSizePicturesMatchWhenScaledDown()
{
    for (int i = 0; i < PredefinedBackground::count; ++i) {
        const QImage single = PredefinedBackground::load(i);
        const QImage doubled = PredefinedBackground::loadDoubleSize(i);
        QCOMPARE(doubled.size(), single.size() * 2);
        const QImage down =
            doubled.scaled(single.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Drawn anew, not scaled: edges and grain may differ a little, the picture may not.
        qint64 error = 0;
        for (int y = 0; y < single.height(); ++y) {
            for (int x = 0; x < single.width(); ++x) {
                const QRgb a = single.pixel(x, y), b = down.pixel(x, y);
                error += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) +
                         qAbs(qBlue(a) - qBlue(b));
            }
        }
        const double mean = double(error) / (3.0 * single.width() * single.height());
        QVERIFY2(mean < 8.0, qPrintable(QStringLiteral("B%1: mean error %2").arg(i + 1).arg(mean)));
    }
}

void tst_PredefinedBackground::doubleSizeSetFollowsTheStates()
{
    ButtonProject project;
    project.normal.predefinedIndex = 3;
    project.selected.predefinedIndex = 500; // outside: no picture
    BackgroundPictures pictures;
    PredefinedBackground::reloadPictures(project, pictures);
    const QImage own = PredefinedBackground::load(7).copy(0, 0, 20, 10);
    pictures.setOwnImage(ButtonState::Pressed, own);
    // A picture not from the catalogue is scaled up rather than replaced.
    pictures.setPredefined(ButtonState::Pressed, own);

    const BackgroundPictures doubled = PredefinedBackground::doubleSizePictures(project, pictures);
    QCOMPARE(doubled.predefined(ButtonState::Normal), PredefinedBackground::loadDoubleSize(3));
    QVERIFY(doubled.predefined(ButtonState::Selected).isNull());
    QVERIFY(doubled.ownImage(ButtonState::Normal).isNull());
    QCOMPARE(doubled.ownImage(ButtonState::Pressed).size(), QSize(40, 20));
    QCOMPARE(doubled.predefined(ButtonState::Pressed).size(), QSize(40, 20));
}

// The 68 pictures with a shape of their own (the white-cornered families) come with how much
// of each pixel they cover, at both sizes; the picture is white where it covers nothing, and
// the sets of pictures carry the coverage of their states.
void tst_PredefinedBackground::shapedPicturesHaveTheirCoverage()
{
    int shaped = 0;
    for (int i = 0; i < PredefinedBackground::count; ++i) {
        const QString name = PredefinedBackground::resourceName(i);
        const QImage coverage = PredefinedBackground::loadCoverage(i);
        const QImage doubled = PredefinedBackground::loadCoverage(i, 2);
        QCOMPARE(coverage.isNull(), doubled.isNull());
        const QImage picture = PredefinedBackground::load(i);
        const bool whiteCorner = picture.pixel(0, 0) == qRgb(255, 255, 255);
        QVERIFY2(coverage.isNull() != whiteCorner, qPrintable(name));
        if (coverage.isNull())
            continue;
        ++shaped;
        QCOMPARE(coverage.size(), picture.size());
        QCOMPARE(doubled.size(), picture.size() * 2);
        int empty = 0, whole = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const int a = coverage.constScanLine(y)[x];
                const QRgb p = picture.pixel(x, y);
                empty += a == 0;
                whole += a == 255;
                QVERIFY2(a > 0 || qMin(qMin(qRed(p), qGreen(p)), qBlue(p)) >= 245,
                         qPrintable(QStringLiteral("%1 (%2, %3)").arg(name).arg(x).arg(y)));
            }
        }
        QVERIFY2(empty > 4 && whole > picture.width() * picture.height() / 4, qPrintable(name));
    }
    QCOMPARE(shaped, 68);

    ButtonProject project;
    project.normal.predefinedIndex = 41;
    project.selected.predefinedIndex = 12; // a plate fills its rectangle
    BackgroundPictures pictures;
    PredefinedBackground::reloadPictures(project, pictures);
    QCOMPARE(pictures.coverageFor(ButtonState::Normal, BackgroundKind::Predefined),
             PredefinedBackground::loadCoverage(41));
    QVERIFY(pictures.coverageFor(ButtonState::Selected, BackgroundKind::Predefined).isNull());
    QVERIFY(pictures.coverageFor(ButtonState::Normal, BackgroundKind::Regular).isNull());
    const BackgroundPictures twice = PredefinedBackground::doubleSizePictures(project, pictures);
    QCOMPARE(twice.coverageFor(ButtonState::Normal, BackgroundKind::Predefined),
             PredefinedBackground::loadCoverage(41, 2));
}

QTEST_MAIN(tst_PredefinedBackground)
#include "tst_PredefinedBackground.moc"
