#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "OptionSets.h"

#include <QTest>

class TestButtonProject : public QObject
{
    Q_OBJECT
private slots:
    void styleLookupByState();
    void extraStatesFollowJavaScriptOption_data();
    void extraStatesFollowJavaScriptOption();
    void radioGroupItemsKeepTheirBlanks();
    void radioGroupsHaveOneItemPerChoice();
    void clampChoice_data();
    void clampChoice();
    void colours_data();
    void colours();
    void ownImageAndPredefinedRules_data();
    void ownImageAndPredefinedRules();
    void captionSplitsAtFirstBar_data();
    void captionSplitsAtFirstBar();
    void sizeTablesGrowAndNeverWriteOutside();
    void jpegValidation_data();
    void jpegValidation();
    void textOffsetValidation_data();
    void textOffsetValidation();
    void resetRestoresDefaults();
};

void TestButtonProject::styleLookupByState()
{
    ButtonProject p;
    QCOMPARE(&p.style(ButtonState::Normal), &p.normal);
    QCOMPARE(&p.style(ButtonState::Selected), &p.selected);
    QCOMPARE(&p.style(ButtonState::Pressed), &p.pressed);
    const ButtonProject& c = p;
    QCOMPARE(&c.style(ButtonState::Pressed), &p.pressed);
}

void TestButtonProject::extraStatesFollowJavaScriptOption_data()
{
    QTest::addColumn<int>("option");
    QTest::addColumn<QList<ButtonState>>("states");
    QTest::newRow("mouse-over") << 0 << QList<ButtonState>{ButtonState::Selected};
    QTest::newRow("pressed") << 1 << QList<ButtonState>{ButtonState::Pressed};
    QTest::newRow("both") << 2 << QList<ButtonState>{ButtonState::Selected, ButtonState::Pressed};
    QTest::newRow("static") << 3 << QList<ButtonState>{};
    QTest::newRow("no choice") << -1 << QList<ButtonState>{};
}

void TestButtonProject::extraStatesFollowJavaScriptOption()
{
    QFETCH(int, option);
    QFETCH(QList<ButtonState>, states);
    ButtonProject p;
    p.javaScriptOption = static_cast<JavaScriptOption>(option);
    QCOMPARE(p.extraStates(), states);
}

void TestButtonProject::radioGroupItemsKeepTheirBlanks()
{
    QCOMPARE(radioGroupTexts<BorderEffect>().items.at(2), QStringLiteral("Add 3D Button border "));
    QCOMPARE(radioGroupTexts<HtmlTable>().items.at(0),
             QStringLiteral("Generate <TABLE> to align buttons "));
    QCOMPARE(radioGroupTexts<JavaScriptOption>().items.size(), 4);
    QCOMPARE(radioGroupTexts<TextJustification>().items.size(), 5);
    QCOMPARE(radioGroupTexts<ImageFileFormat>().items.at(2), QStringLiteral("Generate GIF Files"));
}

template <typename E> int itemsBeyondChoices()
{
    return int(radioGroupTexts<E>().items.size()) - (int(lastChoice(E{})) + 1);
}

void TestButtonProject::radioGroupsHaveOneItemPerChoice()
{
    const QList<int> beyond = {
        itemsBeyondChoices<JavaScriptOption>(),  itemsBeyondChoices<BackgroundKind>(),
        itemsBeyondChoices<BorderEffect>(),      itemsBeyondChoices<PressEffect>(),
        itemsBeyondChoices<TextJustification>(), itemsBeyondChoices<TextOrientation>(),
        itemsBeyondChoices<HtmlDirection>(),     itemsBeyondChoices<HtmlTable>(),
        itemsBeyondChoices<ImageFileFormat>()};
    QCOMPARE(beyond, QList<int>(beyond.size(), 0));
}

void TestButtonProject::clampChoice_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("border");
    QTest::newRow("beyond last") << qint64(7) << 2 << 4;
    QTest::newRow("far below") << qint64(-5) << -1 << -1;
    QTest::newRow("minus one stays") << qint64(-1) << -1 << -1;
    QTest::newRow("in range") << qint64(1) << 1 << 1;
    QTest::newRow("huge") << qint64(2147483647) << 2 << 4;
}

void TestButtonProject::clampChoice()
{
    QFETCH(qint64, value);
    QFETCH(int, format);
    QFETCH(int, border);
    QCOMPARE(int(::clampChoice<ImageFileFormat>(value)), format);
    QCOMPARE(int(::clampChoice<BorderEffect>(value)), border);
}

void TestButtonProject::colours_data()
{
    QTest::addColumn<quint32>("colorRef");
    QTest::addColumn<quint32>("rgb");
    QTest::newRow("yellow") << 0x0000FFFFu << 0xFFFF00u;
    QTest::newRow("aqua") << 0x00FFFF00u << 0x00FFFFu;
    QTest::newRow("blue-ish") << 0x00C08040u << 0x4080C0u;
    QTest::newRow("window text is black") << 0xFF000008u << 0x000000u;
    QTest::newRow("window is white") << 0xFF000005u << 0xFFFFFFu;
    QTest::newRow("button face") << 0xFF00000Fu << 0xC0C0C0u;
    QTest::newRow("unknown system index") << 0xFF0000FEu << 0x000000u;
}

void TestButtonProject::colours()
{
    QFETCH(quint32, colorRef);
    QFETCH(quint32, rgb);
    QCOMPARE(Colors::toRgb(colorRef), rgb);
}

void TestButtonProject::ownImageAndPredefinedRules_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("namesImage");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("three chars") << QStringLiteral("a.b") << false;
    QTest::newRow("four chars") << QStringLiteral("a.bm") << true;
    QTest::newRow("placeholder dots") << QStringLiteral("/tmp/.../x.bmp") << false;
    QTest::newRow("path") << QStringLiteral("/home/u/logo.png") << true;
}

void TestButtonProject::ownImageAndPredefinedRules()
{
    QFETCH(QString, fileName);
    QFETCH(bool, namesImage);
    ButtonStateStyle s;
    s.imageFileName = fileName;
    QCOMPARE(s.namesOwnImage(), namesImage);
    s.predefinedIndex = 99;
    QVERIFY(s.hasPredefinedImage());
    s.predefinedIndex = 100;
    QVERIFY(!s.hasPredefinedImage());
}

void TestButtonProject::captionSplitsAtFirstBar_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("one line") << QStringLiteral("Home") << QStringList{"Home"};
    QTest::newRow("two lines") << QStringLiteral("Our|Products") << QStringList{"Our", "Products"};
    QTest::newRow("empty first line") << QStringLiteral("|Next") << QStringList{"", "Next"};
    QTest::newRow("second bar kept") << QStringLiteral("A|B|C") << QStringList{"A", "B|C"};
    QTest::newRow("trailing bar") << QStringLiteral("A|") << QStringList{"A", ""};
    QTest::newRow("empty caption") << QString() << QStringList{""};
}

void TestButtonProject::captionSplitsAtFirstBar()
{
    QFETCH(QString, caption);
    QFETCH(QStringList, lines);
    const CaptionLines split = splitCaption(caption);
    QCOMPARE(split.lines, lines);
    QCOMPARE(split.isTwoLines(), lines.size() == 2);
}

void TestButtonProject::sizeTablesGrowAndNeverWriteOutside()
{
    ButtonSizeTables t;
    QCOMPARE(t.width(1), 0);
    t.store(250, 84, 32); // beyond the original 200
    QCOMPARE(t.width(250), 84);
    QCOMPARE(t.height(250), 32);
    QCOMPARE(t.width(249), 0);
    t.store(0, 1, 1);
    t.store(-3, 1, 1);
    QCOMPARE(t.size(), 250);
    QCOMPARE(t.width(0), 0);
    QCOMPARE(t.width(251), 0);
    t.store(250, 90, 30);
    QCOMPARE(t.width(250), 90);
}

void TestButtonProject::jpegValidation_data()
{
    QTest::addColumn<int>("quality");
    QTest::addColumn<int>("pixelFormat");
    QTest::addColumn<int>("performance");
    QTest::addColumn<int>("expectedQuality");
    QTest::addColumn<int>("expectedPixelFormat");
    QTest::addColumn<int>("expectedPerformance");
    QTest::newRow("zero quality") << 0 << 0 << 0 << 90 << 0 << 0;
    QTest::newRow("quality 101") << 101 << 1 << 1 << 90 << 1 << 1;
    QTest::newRow("edges stay") << 1 << 1 << 0 << 1 << 1 << 0;
    QTest::newRow("quality 100") << 100 << 2 << 7 << 100 << 0 << 0;
}

void TestButtonProject::jpegValidation()
{
    QFETCH(int, quality);
    QFETCH(int, pixelFormat);
    QFETCH(int, performance);
    JpegFileOptions o;
    o.quality = quint8(quality);
    o.pixelFormat = quint8(pixelFormat);
    o.performance = quint8(performance);
    o.grayscale = 7; // any non-zero byte counts as true and is kept
    o.validate();
    QTEST(int(o.quality), "expectedQuality");
    QTEST(int(o.pixelFormat), "expectedPixelFormat");
    QTEST(int(o.performance), "expectedPerformance");
    QCOMPARE(int(o.grayscale), 7);
}

void TestButtonProject::textOffsetValidation_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("indent");
    QTest::addColumn<int>("expectedOffset");
    QTest::addColumn<int>("expectedIndent");
    QTest::newRow("offset 25") << 25 << 40 << 2 << 40;
    QTest::newRow("offset 24 stays") << 24 << 200 << 24 << 200;
    QTest::newRow("indent -1") << 0 << -1 << 0 << 40;
    QTest::newRow("indent 201") << -1 << 201 << 2 << 40;
}

void TestButtonProject::textOffsetValidation()
{
    QFETCH(int, offset);
    QFETCH(int, indent);
    TextOffsetOptions o;
    o.textOffset = offset;
    o.textIndent = indent;
    o.validate();
    QTEST(o.textOffset, "expectedOffset");
    QTEST(o.textIndent, "expectedIndent");
}

void TestButtonProject::resetRestoresDefaults()
{
    OptionSets sets;
    sets.jpeg.quality = 10;
    sets.jpeg.smoothing = 0;
    sets.text.textOffset = 9;
    sets.reset();
    QCOMPARE(int(sets.jpeg.quality), 90);
    QCOMPARE(int(sets.jpeg.smoothing), 1);
    QCOMPARE(sets.jpeg, JpegFileOptions::defaults());
    QCOMPARE(sets.text, TextOffsetOptions::defaults());
    QCOMPARE(sets.text.textIndent, 40);
}

QTEST_GUILESS_MAIN(TestButtonProject)
#include "tst_ButtonProject.moc"
