#include "ButtonFont.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QTest>

#include <functional>
#include <limits>

class tst_ButtonFont : public QObject
{
    Q_OBJECT

private slots:
    void standInFaces_data();
    void standInFaces();
    void pixelSizeAtFixedResolution_data();
    void pixelSizeAtFixedResolution();
    void fontIsPinnedAgainstDesktopSettings();
    void widthIsSumOfAdvances_data();
    void widthIsSumOfAdvances();
    void heightIsTheCellForEveryText();
    void glyphRunPlacesCellTopLeftAtOrigin();
    void matchesOnlyTheFontFields();
    void hugeTextWidthIsCapped();
    void layoutStopsPastTheLimit_data();
    void layoutStopsPastTheLimit();
};

void tst_ButtonFont::standInFaces_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("family");

    QTest::newRow("ms sans serif") << "MS Sans Serif"
                                   << "Liberation Sans";
    QTest::newRow("lower case") << "ms sans serif"
                                << "Liberation Sans";
    QTest::newRow("arial") << "ARIAL"
                           << "Liberation Sans";
    QTest::newRow("times") << "Times New Roman"
                           << "Liberation Serif";
    QTest::newRow("courier") << "courier new"
                             << "Liberation Mono";
    QTest::newRow("verdana") << "Verdana"
                             << "DejaVu Sans";
    QTest::newRow("tahoma") << "tahoma"
                            << "DejaVu Sans";
    QTest::newRow("installed passes through") << "DejaVu Serif"
                                              << "DejaVu Serif";
}

void tst_ButtonFont::standInFaces()
{
    QFETCH(QString, face);
    QFETCH(QString, family);

    QCOMPARE(ButtonFont::familyFor(face), family);
    ButtonStateStyle style;
    style.fontName = face;
    // The stand-in must really be installed, or the machine's fallback would decide.
    QCOMPARE(QFontInfo(ButtonFont::fontFor(style)).family(), family);
}

void tst_ButtonFont::pixelSizeAtFixedResolution_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pixels");

    QTest::newRow("8 pt") << 8 << 11;
    QTest::newRow("9 pt") << 9 << 12;
    QTest::newRow("10 pt") << 10 << 13;
    QTest::newRow("7 pt rounds up") << 7 << 9;
    QTest::newRow("12 pt") << 12 << 16;
    QTest::newRow("72 pt") << 72 << 96;
    QTest::newRow("zero") << 0 << 1;
    QTest::newRow("negative") << -8 << 11;
    QTest::newRow("lowest") << int(std::numeric_limits<qint32>::min()) << ButtonFont::maxPixelSize;
    QTest::newRow("huge") << 1000000 << ButtonFont::maxPixelSize;
}

void tst_ButtonFont::pixelSizeAtFixedResolution()
{
    QFETCH(int, points);
    QFETCH(int, pixels);

    QCOMPARE(ButtonFont::pixelSizeFor(points), pixels);
    ButtonStateStyle style;
    style.fontSize = points;
    QCOMPARE(ButtonFont::fontFor(style).pixelSize(), pixels);
}

void tst_ButtonFont::fontIsPinnedAgainstDesktopSettings()
{
    ButtonStateStyle style;
    style.fontBold = true;
    style.fontItalic = true;
    style.fontUnderline = true;
    style.fontStrikeOut = true;
    const QFont font = ButtonFont::fontFor(style);
    QCOMPARE(font.hintingPreference(), QFont::PreferFullHinting);
    QVERIFY(font.styleStrategy() & QFont::NoAntialias);
    QVERIFY(!font.kerning());
    QVERIFY(font.bold() && font.italic() && font.underline() && font.strikeOut());
}

void tst_ButtonFont::widthIsSumOfAdvances_data()
{
    QTest::addColumn<QString>("face");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("text");

    QTest::newRow("default") << "MS Sans Serif" << 8 << "Products";
    QTest::newRow("kerning pairs") << "Arial" << 24 << "AVATAR Wave To";
    // DejaVu Sans forms ligatures here when shaped, which would shrink the measured width.
    QTest::newRow("ligatures") << "Verdana" << 12 << "office fifty";
    QTest::newRow("ampersand and bar") << "Times New Roman" << 10 << "R&D|B|C";
    QTest::newRow("latin-1") << "Courier New" << 14 << QString::fromUtf8("Café Größe");
}

void tst_ButtonFont::widthIsSumOfAdvances()
{
    QFETCH(QString, face);
    QFETCH(int, points);
    QFETCH(QString, text);

    ButtonStateStyle style;
    style.fontName = face;
    style.fontSize = points;
    const ButtonFont font(style);
    const QFontMetrics metrics(font.font());
    int sum = 0;
    for (QChar c : text) {
        QVERIFY(font.width(QString(c)) > 0);
        QCOMPARE(font.width(QString(c)), metrics.horizontalAdvance(c));
        sum += font.width(QString(c));
    }
    QCOMPARE(font.width(text), sum);
    // The glyphs are placed exactly at those advances.
    const QList<QPointF> positions = font.glyphRun(text).positions();
    QCOMPARE(positions.size(), text.size());
    QCOMPARE(positions.last().x() + font.width(text.right(1)), double(sum));
}

void tst_ButtonFont::heightIsTheCellForEveryText()
{
    ButtonStateStyle style;
    const ButtonFont font(style);
    const QFontMetrics metrics(font.font());
    QCOMPARE(font.height(), metrics.ascent() + metrics.descent());
    QVERIFY(font.height() >= 11);
    QCOMPARE(font.width(QString()), 0);
}

void tst_ButtonFont::glyphRunPlacesCellTopLeftAtOrigin()
{
    ButtonStateStyle style;
    style.fontUnderline = true;
    const ButtonFont font(style);
    const QGlyphRun run = font.glyphRun(QStringLiteral("Ab"));
    QCOMPARE(run.positions().first(), QPointF(0, font.ascent()));
    QVERIFY(run.underline());
    QVERIFY(!run.strikeOut());
}

void tst_ButtonFont::matchesOnlyTheFontFields()
{
    ButtonStateStyle style;
    const ButtonFont font(style);
    QVERIFY(font.matches(style));

    ButtonStateStyle other = style;
    other.fontColor = 0x000000FF;
    other.backgroundColor = 0;
    other.dropShadow = true;
    QVERIFY(font.matches(other));

    const QList<std::function<void(ButtonStateStyle&)>> changes = {
        [](ButtonStateStyle& s) { s.fontName = QStringLiteral("Arial"); },
        [](ButtonStateStyle& s) { s.fontSize = 9; },
        [](ButtonStateStyle& s) { s.fontBold = true; },
        [](ButtonStateStyle& s) { s.fontItalic = true; },
        [](ButtonStateStyle& s) { s.fontUnderline = true; },
        [](ButtonStateStyle& s) { s.fontStrikeOut = true; },
    };
    for (const auto& change : changes) {
        ButtonStateStyle changed = style;
        change(changed);
        QVERIFY(!font.matches(changed));
    }
}

void tst_ButtonFont::hugeTextWidthIsCapped()
{
    ButtonStateStyle style;
    style.fontSize = 1000000;
    const ButtonFont font(style);
    const QString text(200000, QLatin1Char('W'));
    QCOMPARE(font.width(text), ButtonFont::maxTextWidth);
}

void tst_ButtonFont::layoutStopsPastTheLimit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxWidth"); // in advances of "W"
    QTest::addColumn<int>("maxCharacters");
    QTest::addColumn<int>("kept"); // UTF-16 units
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    QTest::newRow("fits whole") << "WWW" << 3 << 100 << 3;
    QTest::newRow("keeps the character that passes") << "WWWWWW" << 2 << 100 << 3;
    QTest::newRow("character count") << "WWWWWW" << 100 << 4 << 4;
    QTest::newRow("pair counts once") << smile + smile + smile << 100 << 2 << 4;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "WW" << 100 << 2 << 2;
    QTest::newRow("empty") << "" << 0 << 0 << 0;
}

void tst_ButtonFont::layoutStopsPastTheLimit()
{
    QFETCH(QString, text);
    QFETCH(int, maxWidth);
    QFETCH(int, maxCharacters);
    QFETCH(int, kept);
    const ButtonFont font{ButtonStateStyle()};
    const int w = font.width(QStringLiteral("W"));
    QCOMPARE(font.layoutPrefix(text, maxWidth * w, maxCharacters).size(), kept);
}

QTEST_MAIN(tst_ButtonFont)
#include "tst_ButtonFont.moc"
