#include "ButtonBorders.h"
#include "ButtonRenderer.h"
#include "ErrorText.h"
#include "OwnImageLoader.h"
#include "PredefinedBackground.h"
#include "SmoothCaption.h"

#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>

namespace {
constexpr QRgb white = 0xFFFFFFFF;
constexpr QRgb red = 0xFFFF0000;
constexpr QRgb blue = 0xFF0000FF;

// A project, its pictures and tables, and a renderer over them.
struct Bench
{
    ButtonProject project;
    BackgroundPictures pictures;
    TextOffsetOptions offsets;
    ButtonSizeTables sizes;
    ButtonRenderer renderer{project, pictures, offsets, sizes};

    // Plain colours and no border, so every red pixel is caption.
    void plain(ButtonStateStyle& style)
    {
        style.borderEffect = BorderEffect::None;
        style.backgroundColor = Colors::rgb(255, 255, 255);
        style.fontColor = Colors::rgb(255, 0, 0);
    }

    QVector<TextBox> boxes(ButtonState state, const QString& caption, const QImage& image)
    {
        const ButtonStateStyle& style = project.style(state);
        const ButtonFont font(style);
        QVector<int> widths;
        for (const QString& line : splitCaption(caption).lines)
            widths << font.width(line);
        return ButtonRenderer::layoutLines(widths, font.height(), image.width(), image.height(),
                                           style.textJustification, style.textOrientation,
                                           offsets.textOffset, offsets.textIndent,
                                           style.pressEffect == PressEffect::Pressed);
    }
};

QRect rectOf(const TextBox& box)
{
    return QRect(box.left, box.top, box.right - box.left, box.bottom - box.top);
}

// Bounding box of the pixels of one colour inside area.
QRect inkBox(const QImage& image, QRgb color, QRect area)
{
    area &= image.rect();
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) == color)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

int count(const QImage& image, QRgb color, QRect area)
{
    area &= image.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// Every pixel different: position (x, y) maps to one colour that no border or caption uses.
QImage pattern(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, 0x40 + (x >> 8)));
    return image;
}
} // namespace

class tst_ButtonRenderer : public QObject
{
    Q_OBJECT

private slots:
    void smoothGreysOnlyAroundGlyphs_data();
    void smoothGreysOnlyAroundGlyphs();
    void doubleSizeTwinsAreTwiceTheSize_data();
    void doubleSizeTwinsAreTwiceTheSize();
    void pressedTwinIsItsImageDoubled_data();
    void pressedTwinIsItsImageDoubled();
    void smoothFactorSteps_data();
    void smoothFactorSteps();
    void layout_data();
    void layout();
    void defaultButton();
    void textSitsInItsBox_data();
    void textSitsInItsBox();
    void emptyFirstLine();
    void furtherBarsStayInSecondLine();
    void variableWidth_data();
    void variableWidth();
    void otherStatesTakeTheNormalSize();
    void pressMovesPictureAndCaption();
    void dropShadowIsClippedToTheBox();
    void textIsTransparent();
    void borderStaysOverCaption();
    void missingPictureFallsBackToButtonSize_data();
    void missingPictureFallsBackToButtonSize();
    void unusableSizesGiveNoImage_data();
    void unusableSizesGiveNoImage();
    void styleChangesBetweenCallsAreSeen();
    void eachStateDrawsItsOwnStyle_data();
    void eachStateDrawsItsOwnStyle();
    void failureSaysWhy_data();
    void failureSaysWhy();
    void hugeCaptionDrawsOnlyItsVisiblePart();
    void gradients_data();
    void gradients();
    void twinsRoundWithTwiceTheRadius();
    void captionAndShadowStayInsideTheOutline();
    void transparentPicturesOverWhiteAreTheOldOnes_data();
    void transparentPicturesOverWhiteAreTheOldOnes();
};

void tst_ButtonRenderer::layout_data()
{
    QTest::addColumn<QVector<int>>("widths");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<TextJustification>("justification");
    QTest::addColumn<TextOrientation>("orientation");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<QList<int>>("expected"); // left, top, right, bottom per line

    using J = TextJustification;
    using O = TextOrientation;
    // Line height 13, offset 2, indent 40 throughout.
    const QVector<int> one{50};
    QTest::newRow("left top") << one << 120 << 32 << J::Left << O::Top << false
                              << QList<int>{2, 2, 52, 15};
    QTest::newRow("centre centre ignores offset")
        << one << 120 << 32 << J::Center << O::Center << false << QList<int>{35, 9, 85, 22};
    QTest::newRow("centre odd sizes truncate")
        << one << 121 << 33 << J::Center << O::Center << false << QList<int>{35, 10, 85, 23};
    QTest::newRow("right bottom") << one << 120 << 32 << J::Right << O::Bottom << false
                                  << QList<int>{68, 17, 118, 30};
    QTest::newRow("indent left") << one << 120 << 32 << J::IndentLeft << O::Center << false
                                 << QList<int>{42, 9, 92, 22};
    QTest::newRow("indent right") << one << 120 << 32 << J::IndentRight << O::Top << false
                                  << QList<int>{28, 2, 78, 15};
    QTest::newRow("wide centred goes negative toward zero")
        << QVector<int>{151} << 120 << 32 << J::Center << O::Center << false
        << QList<int>{-15, 9, 136, 22};
    QTest::newRow("pressed moves all edges")
        << one << 120 << 32 << J::Center << O::Center << true << QList<int>{37, 11, 87, 24};

    const QVector<int> two{30, 50};
    QTest::newRow("two left top uses widest") << two << 120 << 40 << J::Left << O::Top << false
                                              << QList<int>{2, 2, 52, 15, 2, 17, 52, 30};
    QTest::newRow("two centre centre") << two << 120 << 40 << J::Center << O::Center << false
                                       << QList<int>{45, 5, 75, 18, 35, 22, 85, 35};
    QTest::newRow("two right bottom") << two << 120 << 40 << J::Right << O::Bottom << false
                                      << QList<int>{88, 10, 118, 23, 68, 25, 118, 38};
    QTest::newRow("two indent left") << two << 120 << 40 << J::IndentLeft << O::Top << false
                                     << QList<int>{42, 2, 92, 15, 42, 17, 92, 30};
    QTest::newRow("two indent right") << two << 120 << 40 << J::IndentRight << O::Center << false
                                      << QList<int>{48, 5, 78, 18, 28, 22, 78, 35};
    QTest::newRow("two centre odd height") << two << 120 << 33 << J::Center << O::Center << false
                                           << QList<int>{45, 1, 75, 14, 35, 18, 85, 31};
    QTest::newRow("two in a low button go above the top")
        << two << 120 << 10 << J::Left << O::Center << false
        << QList<int>{2, -10, 52, 3, 2, 7, 52, 20};
    QTest::newRow("two pressed") << two << 120 << 40 << J::Right << O::Top << true
                                 << QList<int>{90, 4, 120, 17, 70, 19, 120, 32};
    QTest::newRow("unchosen items centre")
        << one << 120 << 32 << J::NoChoice << O::NoChoice << false << QList<int>{35, 9, 85, 22};
}

void tst_ButtonRenderer::layout()
{
    QFETCH(QVector<int>, widths);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(TextJustification, justification);
    QFETCH(TextOrientation, orientation);
    QFETCH(bool, pressed);
    QFETCH(QList<int>, expected);

    QList<int> actual;
    for (const TextBox& box : ButtonRenderer::layoutLines(widths, 13, width, height, justification,
                                                          orientation, 2, 40, pressed))
        actual << box.left << box.top << box.right << box.bottom;
    QCOMPARE(actual, expected);

    // At twice the size every edge doubles, but for the half pixel a centring drops.
    QVector<int> doubled;
    for (int w : widths)
        doubled << 2 * w;
    int k = 0;
    for (const TextBox& box : ButtonRenderer::layoutLines(
             doubled, 26, 2 * width, 2 * height, justification, orientation, 2, 40, pressed, 2)) {
        for (int edge : {box.left, box.top, box.right, box.bottom}) {
            QVERIFY2(qAbs(edge - 2 * expected[k]) <= 1, qPrintable(QString::number(k)));
            ++k;
        }
    }
}

void tst_ButtonRenderer::defaultButton()
{
    Bench b;
    const QImage image = b.renderer.render(ButtonState::Normal, 1, QStringLiteral("Home"));
    QCOMPARE(image.format(), QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(120, 32));
    QCOMPARE(b.sizes.width(1), 120);
    QCOMPARE(b.sizes.height(1), 32);
    QCOMPARE(image.pixel(5, 5), 0xFFFFFF00);   // yellow background
    QCOMPARE(image.pixel(1, 1), white);        // inset border
    QCOMPARE(image.pixel(60, 30), 0xFF000000); // its dark edge
    // The caption is window-text black, centred.
    const QRect box = rectOf(b.boxes(ButtonState::Normal, QStringLiteral("Home"), image)[0]);
    const QRect ink = inkBox(image, 0xFF000000, box);
    QVERIFY(!ink.isEmpty());
    QCOMPARE(count(image, 0xFF000000, QRect(3, 3, 114, 26)),
             count(image, 0xFF000000, box & QRect(3, 3, 114, 26)));

    b.project.normal.fontColor = Colors::systemColor(13); // highlight, navy
    const QImage navy = b.renderer.render(ButtonState::Normal, 1, QStringLiteral("Home"));
    QCOMPARE(inkBox(navy, 0xFF000080, box), ink);
}

void tst_ButtonRenderer::textSitsInItsBox_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<TextJustification>("justification");
    QTest::addColumn<TextOrientation>("orientation");
    QTest::addColumn<int>("points");

    using J = TextJustification;
    using O = TextOrientation;
    QTest::newRow("centre") << "Products" << J::Center << O::Center << 8;
    QTest::newRow("left top") << "Home" << J::Left << O::Top << 8;
    QTest::newRow("right bottom") << "Home" << J::Right << O::Bottom << 8;
    QTest::newRow("indent left") << "HOME" << J::IndentLeft << O::Center << 10;
    QTest::newRow("indent right") << "HOME" << J::IndentRight << O::Center << 10;
    QTest::newRow("ampersand shows") << "R&D" << J::Center << O::Top << 12;
    QTest::newRow("two top") << "Our|Products" << J::Left << O::Top << 8;
    QTest::newRow("two centre") << "Our|Products" << J::Center << O::Center << 8;
    QTest::newRow("two bottom right") << "Our|Products" << J::Right << O::Bottom << 8;
}

void tst_ButtonRenderer::textSitsInItsBox()
{
    QFETCH(QString, caption);
    QFETCH(TextJustification, justification);
    QFETCH(TextOrientation, orientation);
    QFETCH(int, points);

    Bench b;
    b.plain(b.project.normal);
    b.project.normal.textJustification = justification;
    b.project.normal.textOrientation = orientation;
    b.project.normal.fontSize = points;
    b.project.buttonHeight = 40;
    const QImage image = b.renderer.render(ButtonState::Normal, 1, caption);
    const QVector<TextBox> boxes = b.boxes(ButtonState::Normal, caption, image);
    const QStringList lines = splitCaption(caption).lines;
    const ButtonFont font(b.project.normal);

    int inBoxes = 0;
    for (int k = 0; k < lines.size(); ++k) {
        const QRect box = rectOf(boxes[k]);
        const QRect ink = inkBox(image, red, box);
        QVERIFY(!ink.isEmpty());
        // Glyphs start at the box's left edge and end near left + the line's width; the few
        // pixels of slack are the glyphs' side bearings.
        QVERIFY2(ink.left() - box.left() >= 0 && ink.left() - box.left() <= 2,
                 qPrintable(QStringLiteral("line %1 ink starts at %2, box at %3")
                                .arg(k)
                                .arg(ink.left())
                                .arg(box.left())));
        const int textEnd = box.left() + font.width(lines[k]);
        QVERIFY(textEnd - (ink.right() + 1) >= 0 && textEnd - (ink.right() + 1) <= 2);
        QVERIFY(ink.top() >= box.top() && ink.top() - box.top() <= 4);
        QVERIFY(ink.bottom() < box.bottom() + 1);
        inBoxes += count(image, red, box);
    }
    QCOMPARE(count(image, red, image.rect()), inBoxes);
}

void tst_ButtonRenderer::emptyFirstLine()
{
    Bench b;
    b.plain(b.project.normal);
    b.project.normal.textOrientation = TextOrientation::Top;
    const QImage image = b.renderer.render(ButtonState::Normal, 1, QStringLiteral("|Next"));
    const QVector<TextBox> boxes = b.boxes(ButtonState::Normal, QStringLiteral("|Next"), image);
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(count(image, red, rectOf(boxes[0])), 0);
    QVERIFY(count(image, red, rectOf(boxes[1])) > 0);
    QCOMPARE(boxes[1].top, ButtonFont(b.project.normal).height() + 4);
}

void tst_ButtonRenderer::furtherBarsStayInSecondLine()
{
    Bench b;
    b.plain(b.project.normal);
    b.project.normal.textJustification = TextJustification::Left;
    b.project.normal.textOrientation = TextOrientation::Bottom;
    b.project.buttonHeight = 40;
    const QImage withBar = b.renderer.render(ButtonState::Normal, 1, QStringLiteral("A|B|C"));
    const QImage withoutC = b.renderer.render(ButtonState::Normal, 2, QStringLiteral("A|B"));
    const ButtonFont font(b.project.normal);
    const int th = font.height();
    const int b0 = 2, b1 = b0 + font.width(QStringLiteral("B"));
    const int bar = font.width(QStringLiteral("|"));

    const QRect secondLine(0, 40 - th - 2, 120, th);
    const QRect theB(b0, secondLine.top(), b1 - b0, th);
    QVERIFY(count(withBar, red, theB) > 0);
    QCOMPARE(withBar.copy(theB), withoutC.copy(theB));
    // The bar is drawn as a character right after the B: a stroke most of a line high.
    const QRect theBar(b1, secondLine.top(), bar, th);
    QVERIFY(inkBox(withBar, red, theBar).height() >= th / 2);
    QCOMPARE(count(withoutC, red, theBar), 0);
    QVERIFY(count(withBar, red, QRect(0, 0, 120, secondLine.top())) > 0); // the A
}

void tst_ButtonRenderer::variableWidth_data()
{
    QTest::addColumn<BackgroundKind>("kind");
    QTest::addColumn<int>("pictureWidth");
    QTest::addColumn<bool>("pressed");

    QTest::newRow("regular") << BackgroundKind::Regular << 0 << false;
    QTest::newRow("wider picture is cut") << BackgroundKind::Predefined << 300 << false;
    QTest::newRow("narrower picture") << BackgroundKind::Predefined << 30 << false;
    QTest::newRow("narrower picture pressed") << BackgroundKind::OwnImage << 30 << true;
}

void tst_ButtonRenderer::variableWidth()
{
    QFETCH(BackgroundKind, kind);
    QFETCH(int, pictureWidth);
    QFETCH(bool, pressed);

    Bench b;
    b.project.variableWidth = true;
    b.project.normal.borderEffect = BorderEffect::None;
    b.project.normal.backgroundKind = kind;
    b.project.normal.pressEffect = pressed ? PressEffect::Pressed : PressEffect::None;
    const QRgb fill = 0xFFFFFF00;
    const QImage picture = pattern(pictureWidth, 34);
    b.pictures.setPredefined(ButtonState::Normal, picture);
    b.pictures.setOwnImage(ButtonState::Normal, picture);

    const QString caption = QStringLiteral("Products");
    const QImage image = b.renderer.render(ButtonState::Normal, 1, caption);
    const int expectedWidth = ButtonFont(b.project.normal).width(caption) + 24;
    const int expectedHeight = kind == BackgroundKind::Regular ? 32 : 34;
    QCOMPARE(image.size(), QSize(expectedWidth, expectedHeight));
    QCOMPARE(b.sizes.width(1), expectedWidth);
    QCOMPARE(b.sizes.height(1), expectedHeight);

    // Top row holds no caption: the picture up to the width it was laid into, then the fill.
    const int shift = pressed ? 2 : 0;
    const int y = shift;
    for (int x = 0; x < expectedWidth; ++x) {
        const bool onPicture =
            kind != BackgroundKind::Regular && x >= shift && x < std::min(pictureWidth, 300);
        QCOMPARE(image.pixel(x, y), onPicture ? picture.pixel(x - shift, 0) : fill);
    }

    const QImage selected = b.renderer.render(ButtonState::Selected, 1, caption);
    QCOMPARE(selected.size(), image.size());
}

void tst_ButtonRenderer::otherStatesTakeTheNormalSize()
{
    Bench b;
    b.project.selected.backgroundKind = BackgroundKind::OwnImage;
    b.project.selected.borderEffect = BorderEffect::None;
    const QImage picture = pattern(200, 50);
    b.pictures.setOwnImage(ButtonState::Selected, picture);
    b.sizes.store(7, 146, 34);
    const QImage image = b.renderer.render(ButtonState::Selected, 7, QString());
    QCOMPARE(image.size(), QSize(146, 34));
    QCOMPARE(image, picture.copy(0, 0, 146, 34));

    // Beyond the classic 200 captions the tables simply grow.
    QVERIFY(!b.renderer.render(ButtonState::Normal, 250, QStringLiteral("Late")).isNull());
    QCOMPARE(b.renderer.render(ButtonState::Pressed, 250, QStringLiteral("Late")).size(),
             QSize(120, 32));
    // Never rendered as Normal: no size to take.
    QVERIFY(b.renderer.render(ButtonState::Selected, 3, QStringLiteral("Orphan")).isNull());
}

void tst_ButtonRenderer::pressMovesPictureAndCaption()
{
    Bench b;
    b.plain(b.project.normal);
    const QString caption = QStringLiteral("Products");
    const QImage still = b.renderer.render(ButtonState::Normal, 1, caption);
    b.project.normal.pressEffect = PressEffect::Pressed;
    const QImage moved = b.renderer.render(ButtonState::Normal, 1, caption);
    QVERIFY(count(still, red, still.rect()) > 0);
    QCOMPARE(count(moved, red, moved.rect()), count(still, red, still.rect()));
    QCOMPARE(moved.copy(2, 2, 118, 30), still.copy(0, 0, 118, 30)); // fill unchanged, caption moved

    // A picture moves too, leaving two-pixel bands of the background colour.
    b.project.normal.backgroundKind = BackgroundKind::Predefined;
    b.project.normal.backgroundColor = Colors::rgb(0, 0, 255);
    const QImage picture = pattern(120, 32);
    b.pictures.setPredefined(ButtonState::Normal, picture);
    const QImage image = b.renderer.render(ButtonState::Normal, 1, QString());
    QCOMPARE(image.size(), QSize(120, 32));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 120; ++x) {
            const QRgb expected = x < 2 || y < 2 ? blue : picture.pixel(x - 2, y - 2);
            QCOMPARE(image.pixel(x, y), expected);
        }
}

void tst_ButtonRenderer::dropShadowIsClippedToTheBox()
{
    Bench b;
    b.plain(b.project.normal);
    b.project.normal.textJustification = TextJustification::Right;
    b.project.normal.fontSize = 14;
    const QString caption = QStringLiteral("Hmy");
    const QImage textOnly = b.renderer.render(ButtonState::Normal, 1, caption);
    b.project.normal.dropShadow = true;
    b.project.normal.dropShadowColor = Colors::rgb(0, 0, 255);
    const QImage image = b.renderer.render(ButtonState::Normal, 1, caption);
    const QRect box = rectOf(b.boxes(ButtonState::Normal, caption, image)[0]);

    int cut = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool text = textOnly.pixel(x, y) == red;
            const bool shadowed = x >= 2 && y >= 2 && textOnly.pixel(x - 2, y - 2) == red;
            cut += shadowed && !box.contains(x, y);
            const QRgb expected = text ? red : shadowed && box.contains(x, y) ? blue : white;
            QCOMPARE(image.pixel(x, y), expected);
        }
    QVERIFY2(cut > 0, "the caption should reach the box's right and bottom ends");
}

void tst_ButtonRenderer::textIsTransparent()
{
    Bench b;
    b.project.normal.backgroundKind = BackgroundKind::Predefined;
    b.project.normal.borderEffect = BorderEffect::None;
    b.project.normal.fontSize = 16;
    QImage checker(120, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 120; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? 0xFFFF8000 : 0xFF00C0C0);
    b.pictures.setPredefined(ButtonState::Normal, checker);
    const QImage image = b.renderer.render(ButtonState::Normal, 1, QStringLiteral("Products"));
    int ink = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 120; ++x) {
            if (image.pixel(x, y) == 0xFF000000)
                ++ink;
            else
                QCOMPARE(image.pixel(x, y), checker.pixel(x, y));
        }
    QVERIFY(ink > 20);
}

void tst_ButtonRenderer::borderStaysOverCaption()
{
    Bench b;
    b.plain(b.project.normal);
    b.project.normal.fontSize = 24;
    b.project.normal.textJustification = TextJustification::Left;
    b.project.normal.textOrientation = TextOrientation::Top;
    b.offsets.textOffset = 0;
    b.project.buttonHeight = 60;
    const QString caption = QStringLiteral("Our|Products");
    const QImage bare = b.renderer.render(ButtonState::Normal, 1, caption);

    const QRgb magenta = 0xFFFF00FF;
    QImage reference(bare.size(), QImage::Format_RGB32);
    reference.fill(magenta);
    ButtonBorders::draw(reference, BorderEffect::Bevel3D, false);

    int covered = 0;
    for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x)
            covered += reference.pixel(x, y) != magenta && bare.pixel(x, y) == red;
    QVERIFY2(covered > 0, "the caption should run under the border");

    b.project.normal.borderEffect = BorderEffect::Bevel3D;
    const QImage image = b.renderer.render(ButtonState::Normal, 1, caption);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            QCOMPARE(image.pixel(x, y),
                     reference.pixel(x, y) != magenta ? reference.pixel(x, y) : bare.pixel(x, y));
}

void tst_ButtonRenderer::missingPictureFallsBackToButtonSize_data()
{
    QTest::addColumn<BackgroundKind>("kind");
    QTest::newRow("predefined") << BackgroundKind::Predefined;
    QTest::newRow("own image") << BackgroundKind::OwnImage;
    QTest::newRow("no choice") << BackgroundKind::NoChoice;
}

void tst_ButtonRenderer::missingPictureFallsBackToButtonSize()
{
    QFETCH(BackgroundKind, kind);

    Bench b;
    b.project.normal.backgroundKind = kind;
    b.project.normal.borderEffect = BorderEffect::None;
    b.project.buttonWidth = 90;
    b.project.buttonHeight = 20;
    const QImage image = b.renderer.render(ButtonState::Normal, 1, QString());
    QCOMPARE(image.size(), QSize(90, 20));
    QCOMPARE(count(image, 0xFFFFFF00, image.rect()), 90 * 20);
    QCOMPARE(b.sizes.width(1), 90);
    QCOMPARE(b.sizes.height(1), 20);
}

void tst_ButtonRenderer::unusableSizesGiveNoImage_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("variable");
    QTest::addColumn<QSize>("expected"); // empty: no image

    const int lowest = std::numeric_limits<qint32>::min();
    const int highest = std::numeric_limits<qint32>::max();
    QTest::newRow("zero width") << 0 << 32 << false << QSize();
    QTest::newRow("negative width") << -5 << 32 << false << QSize();
    QTest::newRow("zero height") << 120 << 0 << false << QSize();
    QTest::newRow("negative height") << 120 << lowest << false << QSize();
    QTest::newRow("too wide") << 16385 << 10 << false << QSize();
    QTest::newRow("too high") << 10 << 16385 << false << QSize();
    QTest::newRow("too many pixels") << 16384 << 4097 << false << QSize();
    QTest::newRow("huge") << highest << highest << false << QSize();
    QTest::newRow("widest allowed") << 16384 << 1 << false << QSize(16384, 1);
    QTest::newRow("tallest allowed") << 1 << 16384 << false << QSize(1, 16384);
    QTest::newRow("smallest") << 1 << 1 << false << QSize(1, 1);
    QTest::newRow("variable width rescues zero")
        << 0 << 32 << true << QSize(ButtonFont(ButtonStateStyle()).width("Go") + 24, 32);
    QTest::newRow("variable width keeps zero height") << 120 << 0 << true << QSize();
}

void tst_ButtonRenderer::unusableSizesGiveNoImage()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, variable);
    QFETCH(QSize, expected);

    Bench b;
    b.project.buttonWidth = width;
    b.project.buttonHeight = height;
    b.project.variableWidth = variable;
    b.sizes.store(3, 50, 50); // from an earlier run
    const QImage normal = b.renderer.render(ButtonState::Normal, 3, QStringLiteral("Go"));
    const QImage selected = b.renderer.render(ButtonState::Selected, 3, QStringLiteral("Go"));
    if (expected.isEmpty()) {
        QVERIFY(normal.isNull());
        QCOMPARE(b.sizes.width(3), 0);
        QCOMPARE(b.sizes.height(3), 0);
        QVERIFY(selected.isNull());
    } else {
        QCOMPARE(normal.size(), expected);
        QCOMPARE(QSize(b.sizes.width(3), b.sizes.height(3)), expected);
        QCOMPARE(selected.size(), expected);
    }
}

void tst_ButtonRenderer::styleChangesBetweenCallsAreSeen()
{
    Bench b;
    const QString caption = QStringLiteral("Products");
    const QImage before = b.renderer.render(ButtonState::Normal, 1, caption);
    b.project.normal.fontSize = 14;
    b.project.normal.fontBold = true;
    const QImage after = b.renderer.render(ButtonState::Normal, 1, caption);
    QVERIFY(after != before);

    ButtonSizeTables freshSizes;
    ButtonRenderer fresh(b.project, b.pictures, b.offsets, freshSizes);
    QCOMPARE(after, fresh.render(ButtonState::Normal, 1, caption));
}

void tst_ButtonRenderer::eachStateDrawsItsOwnStyle_data()
{
    QTest::addColumn<bool>("smooth");
    QTest::newRow("hinted") << false;
    QTest::newRow("smooth") << true;
}

// Three states of different fills, caption colours and sizes, drawn one after the other by
// one renderer: each image shows its own state's and none of the others'.
void tst_ButtonRenderer::eachStateDrawsItsOwnStyle()
{
    QFETCH(bool, smooth);
    Bench b;
    b.project.smoothCaptions = smooth;
    const QList<ButtonState> states = {ButtonState::Normal, ButtonState::Selected,
                                       ButtonState::Pressed};
    const QRgb fills[] = {qRgb(255, 255, 255), qRgb(255, 255, 200), qRgb(200, 255, 255)};
    const QRgb inks[] = {qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255)};
    for (int i = 0; i < 3; ++i) {
        ButtonStateStyle& style = b.project.style(states[i]);
        b.plain(style);
        style.pressEffect = PressEffect::None;
        style.backgroundColor = Colors::rgb(qRed(fills[i]), qGreen(fills[i]), qBlue(fills[i]));
        style.fontColor = Colors::rgb(qRed(inks[i]), qGreen(inks[i]), qBlue(inks[i]));
        style.fontSize = 8 + 3 * i;
    }
    int lastHeight = 0;
    for (int i = 0; i < 3; ++i) {
        const QImage image = b.renderer.render(states[i], 1, QStringLiteral("Products"));
        QCOMPARE(image.pixel(0, 0), fills[i]);
        for (int j = 0; j < 3; ++j)
            QCOMPARE(count(image, inks[j], image.rect()) > 0, i == j);
        const int height = inkBox(image, inks[i], image.rect()).height();
        QVERIFY2(height > lastHeight, qPrintable(QString::number(height)));
        lastHeight = height;
    }
}

void tst_ButtonRenderer::failureSaysWhy_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("variable");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("message");

    const QString limits = QStringLiteral(" (at most 16384 pixels a side and 64 megapixels)");
    QTest::newRow("zero width") << 0 << 32 << false << "Go"
                                << "cannot render a 0 x 32 button";
    QTest::newRow("too wide") << 20000 << 10 << false << "Go"
                              << "cannot render a 20000 x 10 button" + limits;
    QTest::newRow("too many pixels") << 8193 << 8193 << false << "Go"
                                     << "cannot render a 8193 x 8193 button" + limits;
    // Just too wide once the margin is added: the size that failed, not the project's.
    const ButtonFont font{ButtonStateStyle()};
    QString wide = QStringLiteral("W");
    while (font.width(wide) + ButtonRenderer::variableWidthMargin <= 16384)
        wide += u'W';
    QTest::newRow("variable width just too wide")
        << 120 << 32 << true << wide
        << QStringLiteral("cannot render a %1 x 32 button")
                   .arg(font.width(wide) + ButtonRenderer::variableWidthMargin) +
               limits;
    QTest::newRow("variable width, caption far too long")
        << 120 << 32 << true << QString(5000000, u'W')
        << "cannot render a button wider than 16384 pixels: the caption is too long";
}

void tst_ButtonRenderer::failureSaysWhy()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, variable);
    QFETCH(QString, caption);
    QFETCH(QString, message);
    Bench b;
    b.project.buttonWidth = width;
    b.project.buttonHeight = height;
    b.project.variableWidth = variable;
    QVERIFY(b.renderer.render(ButtonState::Normal, 1, caption).isNull());
    QCOMPARE(ErrorText::message(b.renderer.error()), message);
    QVERIFY(b.renderer.render(ButtonState::Selected, 1, caption).isNull());
    QCOMPARE(ErrorText::message(b.renderer.error()),
             QStringLiteral("not rendered: the normal button of this caption failed"));
}

void tst_ButtonRenderer::hugeCaptionDrawsOnlyItsVisiblePart()
{
    // Millions of characters past the right edge change nothing that can be seen.
    Bench b;
    b.project.normal.textJustification = TextJustification::Left;
    const QString visible = QStringLiteral("Home") + QString(100, u'W');
    const QImage huge =
        b.renderer.render(ButtonState::Normal, 1, visible + QString(20000000, u'W') + "|Second");
    QVERIFY(!b.renderer.error());
    QCOMPARE(huge, b.renderer.render(ButtonState::Normal, 1, visible + "|Second"));
}

void tst_ButtonRenderer::smoothGreysOnlyAroundGlyphs_data()
{
    QTest::addColumn<bool>("shadow");
    QTest::addColumn<int>("predefined");
    QTest::addColumn<QString>("caption");
    QTest::newRow("plain") << false << -1 << QStringLiteral("Products");
    QTest::newRow("shadow") << true << -1 << QStringLiteral("Wavy kerning");
    QTest::newRow("picture, two lines") << true << 12 << QStringLiteral("Our|Services");
}

void tst_ButtonRenderer::smoothGreysOnlyAroundGlyphs()
{
    QFETCH(bool, shadow);
    QFETCH(int, predefined);
    QFETCH(QString, caption);

    Bench b;
    b.plain(b.project.normal);
    b.project.normal.fontColor = Colors::rgb(0, 0, 0);
    b.project.normal.fontBold = true;
    b.project.normal.dropShadow = shadow;
    b.project.normal.dropShadowColor = Colors::rgb(128, 128, 128);
    if (predefined >= 0) {
        b.project.normal.backgroundKind = BackgroundKind::Predefined;
        b.pictures.setPredefined(ButtonState::Normal, PredefinedBackground::load(predefined));
    }
    const QImage empty = b.renderer.render(ButtonState::Normal, 1, QString());
    const QImage sharp = b.renderer.render(ButtonState::Normal, 1, caption);
    b.project.smoothCaptions = true;
    const QImage smooth = b.renderer.render(ButtonState::Normal, 1, caption);
    QCOMPARE(smooth.size(), sharp.size());
    QCOMPARE(b.renderer.render(ButtonState::Normal, 1, caption), smooth);

    // Each changed pixel lies within two pixels of one the unsmoothed caption drew (the finer
    // hinting may move an edge by a pixel), and some are blends that neither caption colour
    // nor background has.
    int blends = 0;
    for (int y = 0; y < smooth.height(); ++y) {
        for (int x = 0; x < smooth.width(); ++x) {
            const QRgb p = smooth.pixel(x, y);
            if (p == empty.pixel(x, y))
                continue;
            bool nearInk = false;
            for (int dy = -2; dy <= 2 && !nearInk; ++dy)
                for (int dx = -2; dx <= 2 && !nearInk; ++dx)
                    nearInk = sharp.valid(x + dx, y + dy) &&
                              sharp.pixel(x + dx, y + dy) != empty.pixel(x + dx, y + dy);
            QVERIFY2(nearInk, qPrintable(QStringLiteral("stray pixel at %1,%2").arg(x).arg(y)));
            blends += p != 0xFF000000u && p != 0xFF808080u;
        }
    }
    QVERIFY(blends > 10);
}

void tst_ButtonRenderer::doubleSizeTwinsAreTwiceTheSize_data()
{
    QTest::addColumn<bool>("variableWidth");
    QTest::addColumn<int>("predefined");
    QTest::addColumn<bool>("smooth");
    QTest::newRow("fixed") << false << -1 << false;
    QTest::newRow("variable, smooth") << true << -1 << true;
    QTest::newRow("picture") << false << 40 << false;
    QTest::newRow("picture, variable, smooth") << true << 95 << true;
}

void tst_ButtonRenderer::doubleSizeTwinsAreTwiceTheSize()
{
    QFETCH(bool, variableWidth);
    QFETCH(int, predefined);
    QFETCH(bool, smooth);

    Bench b;
    b.project.variableWidth = variableWidth;
    b.project.smoothCaptions = smooth;
    b.project.selected.pressEffect = PressEffect::Pressed;
    b.project.selected.dropShadow = true;
    for (ButtonStateStyle* style : {&b.project.normal, &b.project.selected}) {
        style->predefinedIndex = predefined;
        style->borderEffect = BorderEffect::Bevel3DBlackEdge;
        style->backgroundKind =
            predefined >= 0 ? BackgroundKind::Predefined : BackgroundKind::Regular;
    }
    PredefinedBackground::reloadPictures(b.project, b.pictures);
    const BackgroundPictures doubled =
        PredefinedBackground::doubleSizePictures(b.project, b.pictures);
    ButtonRenderer twin(b.project, doubled, b.offsets, b.sizes, 2);
    const QString caption = QStringLiteral("Contact us|today");
    for (ButtonState state : {ButtonState::Normal, ButtonState::Selected}) {
        const QImage single = b.renderer.render(state, 1, caption);
        const QImage image = twin.render(state, 1, caption);
        QCOMPARE(image.size(), single.size() * 2);
        // Drawn, not scaled: the corners keep the border's colours in 2 x 2 blocks.
        QCOMPARE(image.pixel(1, 1), single.pixel(0, 0));
        QCOMPARE(image.pixel(image.width() - 2, image.height() - 2),
                 single.pixel(single.width() - 1, single.height() - 1));
    }
    QCOMPARE(b.sizes.width(1), twin.render(ButtonState::Normal, 1, caption).width() / 2);
}

void tst_ButtonRenderer::pressedTwinIsItsImageDoubled_data()
{
    QTest::addColumn<bool>("picture");
    QTest::newRow("colour") << false;
    QTest::newRow("own picture") << true;
}

void tst_ButtonRenderer::pressedTwinIsItsImageDoubled()
{
    QFETCH(bool, picture);
    Bench b;
    ButtonStateStyle& style = b.project.pressed;
    style.borderEffect = BorderEffect::Bevel3DBlackEdge;
    style.dropShadow = true;
    style.textJustification = TextJustification::IndentRight;
    b.offsets = {5, 3, 0};
    BackgroundPictures doubled;
    if (picture) {
        style.backgroundKind = BackgroundKind::OwnImage;
        b.pictures.setOwnImage(ButtonState::Pressed, pattern(120, 32));
        doubled.setOwnImage(ButtonState::Pressed, pattern(120, 32).scaled(240, 64));
    }
    ButtonRenderer twin(b.project, doubled, b.offsets, b.sizes, 2);
    const QString caption = QStringLiteral("Go|there");
    QVERIFY(!b.renderer.render(ButtonState::Normal, 1, caption).isNull());
    const QImage single = b.renderer.render(ButtonState::Pressed, 1, caption);
    const QImage bare = b.renderer.render(ButtonState::Pressed, 1, QString());
    const QImage image = twin.render(ButtonState::Pressed, 1, caption);
    QCOMPARE(image.size(), single.size() * 2);

    // Two pixels clear of the caption and its shadow, the twin is its image pixel-doubled.
    int compared = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QPoint at(x / 2, y / 2);
            bool nearText = false;
            for (int dy = -2; dy <= 2 && !nearText; ++dy)
                for (int dx = -2; dx <= 2 && !nearText; ++dx)
                    nearText = single.valid(at + QPoint(dx, dy)) &&
                               single.pixel(at + QPoint(dx, dy)) != bare.pixel(at + QPoint(dx, dy));
            if (nearText)
                continue;
            if (image.pixel(x, y) != single.pixel(at))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            ++compared;
        }
    }
    QVERIFY(compared > image.width() * image.height() / 2);
}

void tst_ButtonRenderer::smoothFactorSteps_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("factor");
    QTest::newRow("255") << 255 << 4;
    QTest::newRow("256") << 256 << 4;
    QTest::newRow("257") << 257 << 2;
    QTest::newRow("511") << 511 << 2;
    QTest::newRow("512") << 512 << 2;
    QTest::newRow("513") << 513 << 1;
}

void tst_ButtonRenderer::smoothFactorSteps()
{
    QFETCH(int, pixelSize);
    QFETCH(int, factor);
    QCOMPARE(SmoothCaption::factorFor(pixelSize), factor);
}

void tst_ButtonRenderer::gradients_data()
{
    QTest::addColumn<BackgroundKind>("kind");
    QTest::addColumn<GradientDirection>("direction");
    QTest::newRow("down") << BackgroundKind::Regular << GradientDirection::Vertical;
    QTest::newRow("across") << BackgroundKind::Regular << GradientDirection::Horizontal;
    QTest::newRow("built-in picture") << BackgroundKind::Predefined << GradientDirection::Vertical;
    QTest::newRow("own picture") << BackgroundKind::OwnImage << GradientDirection::Horizontal;
}

// A solid colour runs from the first row (or column) in its colour to the last in the
// gradient's, each channel rounded from the straight line between them; pictures ignore it.
void tst_ButtonRenderer::gradients()
{
    QFETCH(BackgroundKind, kind);
    QFETCH(GradientDirection, direction);
    Bench b;
    ButtonStateStyle& style = b.project.selected;
    style.borderEffect = BorderEffect::None;
    style.backgroundKind = kind;
    style.backgroundColor = Colors::rgb(255, 0, 100);
    b.pictures.setPredefined(ButtonState::Selected, pattern(120, 32));
    b.pictures.setOwnImage(ButtonState::Selected, pattern(120, 32));
    b.renderer.render(ButtonState::Normal, 1, QString());
    const QImage solid = b.renderer.render(ButtonState::Selected, 1, QString());
    style.gradientColor = Colors::rgb(0, 200, 101);
    b.project.gradientDirection = direction;
    const QImage image = b.renderer.render(ButtonState::Selected, 1, QString());
    if (kind != BackgroundKind::Regular) {
        QCOMPARE(image, solid);
        return;
    }
    const bool across = direction == GradientDirection::Horizontal;
    const int steps = across ? image.width() : image.height();
    const QRgb first = qRgb(255, 0, 100), last = qRgb(0, 200, 101);
    for (int i = 0; i < steps; ++i) {
        const double t = double(i) / (steps - 1);
        const auto line = [&](int a, int b) { return int(std::floor(a + (b - a) * t + 0.5)); };
        const QRgb expected = qRgb(line(255, 0), line(0, 200), line(100, 101));
        QCOMPARE(image.pixel(across ? i : 0, across ? 0 : i), expected);
        QCOMPARE(image.pixel(across ? i : image.width() - 1, across ? image.height() - 1 : i),
                 expected);
    }
    QCOMPARE(image.pixel(0, 0), first);
    QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), last);
}

// The twin's corners are those of a radius twice as large: four pixels of its top row are
// outside the outline where one of the single image's is.
void tst_ButtonRenderer::twinsRoundWithTwiceTheRadius()
{
    Bench b;
    b.project.cornerRadius = 3;
    ButtonRenderer twins(b.project, b.pictures, b.offsets, b.sizes, 2);
    const QImage image = b.renderer.render(ButtonState::Normal, 1, QStringLiteral("Home"));
    const QImage twin = twins.render(ButtonState::Normal, 1, QStringLiteral("Home"));
    QCOMPARE(twin.size(), image.size() * 2);
    const auto corner = [](const QImage& picture) {
        QString shown;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                shown += qAlpha(picture.pixel(x, y)) ? '#' : '.';
        return shown;
    };
    QCOMPARE(corner(image), QStringLiteral(".###"
                                           "####"
                                           "####"
                                           "####"));
    QCOMPARE(corner(twin), QStringLiteral("...."
                                          "..##"
                                          ".###"
                                          ".###"));
}

// What is drawn near a corner, a caption and its shadow or a pressed picture, is cut by the
// outline like the background.
void tst_ButtonRenderer::captionAndShadowStayInsideTheOutline()
{
    Bench b;
    b.plain(b.project.normal);
    ButtonStateStyle& style = b.project.normal;
    style.textJustification = TextJustification::Left;
    style.textOrientation = TextOrientation::Top;
    style.fontSize = 24;
    style.fontBold = true;
    style.dropShadow = true;
    style.dropShadowColor = Colors::rgb(0, 0, 255);
    b.offsets.textOffset = -4;
    const QString caption = QStringLiteral("\u2588\u2588");
    const QImage square = b.renderer.render(ButtonState::Normal, 1, caption);
    QCOMPARE(square.pixel(0, 0), red);
    QCOMPARE(square.pixel(square.width() - 1, square.height() - 1), white);
    b.project.cornerRadius = 8;
    b.project.smoothCaptions = true;
    const QImage round = b.renderer.render(ButtonState::Normal, 1, caption);
    QCOMPARE(qAlpha(round.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(round.pixel(round.width() - 1, 0)), 0);
    QCOMPARE(round.pixel(8, 8), red);
}

void tst_ButtonRenderer::transparentPicturesOverWhiteAreTheOldOnes_data()
{
    QTest::addColumn<BackgroundKind>("kind");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("pressed");
    QTest::addColumn<int>("scale");
    QTest::newRow("button") << BackgroundKind::Predefined << 4 << false << 1;
    QTest::newRow("gem, pressed") << BackgroundKind::Predefined << 85 << true << 1;
    QTest::newRow("oval, twice the size") << BackgroundKind::Predefined << 43 << false << 2;
    QTest::newRow("unshaped, pressed") << BackgroundKind::Predefined << 10 << true << 1;
    QTest::newRow("own picture with alpha") << BackgroundKind::OwnImage << -1 << false << 1;
    QTest::newRow("own picture, twice the size") << BackgroundKind::OwnImage << -1 << true << 2;
}

// With transparent pictures a shaped picture loses its white surround: laid over white it is
// the picture as it was, whole pixels unchanged and partly covered ones within the rounding of
// the stored palette, and it is transparent where it covers nothing, as is the band a press
// leaves.
void tst_ButtonRenderer::transparentPicturesOverWhiteAreTheOldOnes()
{
    QFETCH(BackgroundKind, kind);
    QFETCH(int, index);
    QFETCH(bool, pressed);
    QFETCH(int, scale);
    Bench b;
    ButtonStateStyle& style = b.project.normal;
    b.plain(style);
    style.backgroundKind = kind;
    style.predefinedIndex = index;
    style.pressEffect = pressed ? PressEffect::Pressed : PressEffect::None;
    PredefinedBackground::reloadPictures(b.project, b.pictures);
    QTemporaryDir dir;
    QImage own(60, 30, QImage::Format_ARGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            own.setPixel(x, y, qRgba(200 - 3 * x, 40 + 5 * y, 90, std::min(255, 9 * x)));
    QVERIFY(own.save(dir.filePath("own.png")));
    QVERIFY(!OwnImageLoader::loadInto(b.pictures, ButtonState::Normal, dir.filePath("own.png")));
    const BackgroundPictures twice =
        PredefinedBackground::doubleSizePictures(b.project, b.pictures);
    ButtonRenderer renderer(b.project, scale == 2 ? twice : b.pictures, b.offsets, b.sizes, scale);
    b.renderer.render(ButtonState::Normal, 1, QString());
    const QImage before = renderer.render(ButtonState::Normal, 1, QString());
    b.project.transparentPictures = true;
    b.renderer.render(ButtonState::Normal, 1, QString());
    const QImage image = renderer.render(ButtonState::Normal, 1, QString());
    // A picture with no surround to take off stays whole, band included.
    if (b.pictures.coverageFor(ButtonState::Normal, kind).isNull()) {
        QCOMPARE(image, before);
        return;
    }
    QCOMPARE(before.format(), QImage::Format_RGB32);
    QCOMPARE(image.format(), QImage::Format_ARGB32);
    const int band = pressed ? ButtonRenderer::pressShift * scale : 0;
    int transparent = 0, partial = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y), old = before.pixel(x, y);
            const int a = qAlpha(p);
            transparent += a == 0;
            partial += a > 0 && a < 255;
            if (x < band || y < band) {
                QCOMPARE(a, 0);
                continue;
            }
            const auto over = [a](int c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            QVERIFY2(qAbs(over(qRed(p)) - qRed(old)) <= 4 &&
                         qAbs(over(qGreen(p)) - qGreen(old)) <= 4 &&
                         qAbs(over(qBlue(p)) - qBlue(old)) <= 4 && (a < 255 || p == old),
                     qPrintable(QStringLiteral("(%1, %2): %3 for %4")
                                    .arg(x)
                                    .arg(y)
                                    .arg(p, 8, 16)
                                    .arg(old, 8, 16)));
        }
    }
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QVERIFY(transparent > 0 && partial > 0);
}

QTEST_MAIN(tst_ButtonRenderer)
#include "tst_ButtonRenderer.moc"
