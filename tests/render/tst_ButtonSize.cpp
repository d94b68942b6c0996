#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonSize.h"

#include <QtTest>

#include <limits>

class tst_ButtonSize : public QObject
{
    Q_OBJECT

private slots:
    void steps_data();
    void steps();
    void stepButtons_data();
    void stepButtons();
    void normalSize_data();
    void normalSize();
    void mismatchWarning_data();
    void mismatchWarning();
    void ownImageWarningNeverForNormal();
};

void tst_ButtonSize::steps_data()
{
    QTest::addColumn<bool>("height");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expected");
    QTest::newRow("height 130 +5") << true << 130 << 5 << 132;
    QTest::newRow("height 3 -5") << true << 3 << -5 << 1;
    QTest::newRow("height 127 +5") << true << 127 << 5 << 132;
    QTest::newRow("height 1 -1") << true << 1 << -1 << 1;
    QTest::newRow("height 32 +1") << true << 32 << 1 << 33;
    QTest::newRow("width 295 +10") << false << 295 << 10 << 300;
    QTest::newRow("width 5 -10") << false << 5 << -10 << 1;
    QTest::newRow("width 120 -1") << false << 120 << -1 << 119;
    QTest::newRow("width 300 +1") << false << 300 << 1 << 300;
    // A project file can hold values the steps never produce.
    QTest::newRow("height from file far above") << true << 5000 << -5 << 132;
    QTest::newRow("width from file negative") << false << -40 << 10 << 1;
    QTest::newRow("height at int max") << true << std::numeric_limits<int>::max() << 5 << 132;
    QTest::newRow("width at int min") << false << std::numeric_limits<int>::min() << -10 << 1;
}

void tst_ButtonSize::steps()
{
    QFETCH(bool, height);
    QFETCH(int, value);
    QFETCH(int, delta);
    QFETCH(int, expected);
    QCOMPARE(height ? ButtonSize::steppedHeight(value, delta)
                    : ButtonSize::steppedWidth(value, delta),
             expected);
}

void tst_ButtonSize::stepButtons_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QSize>("after"); // from 120 x 32
    QTest::newRow("height -5") << 0 << "-5" << QSize(120, 27);
    QTest::newRow("height -1") << 1 << "-1" << QSize(120, 31);
    QTest::newRow("height +1") << 2 << "+1" << QSize(120, 33);
    QTest::newRow("height +5") << 3 << "+5" << QSize(120, 37);
    QTest::newRow("width -10") << 4 << "-10" << QSize(110, 32);
    QTest::newRow("width -1") << 5 << "-1" << QSize(119, 32);
    QTest::newRow("width +1") << 6 << "+1" << QSize(121, 32);
    QTest::newRow("width +10") << 7 << "+10" << QSize(130, 32);
}

void tst_ButtonSize::stepButtons()
{
    QFETCH(int, step);
    QFETCH(QString, text);
    QFETCH(QSize, after);
    const auto s = ButtonSize::Step(step);
    QCOMPARE(ButtonSize::stepText(s), text);
    ButtonProject project;
    project.normal.backgroundKind = BackgroundKind::Predefined;
    ButtonSize::applyStep(project, s);
    QCOMPARE(QSize(project.buttonWidth, project.buttonHeight), after);
    QCOMPARE(project.normal.backgroundKind, BackgroundKind::Predefined);
}

void tst_ButtonSize::normalSize_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("withPictures");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("regular") << int(BackgroundKind::Regular) << true << QSize(120, 32);
    QTest::newRow("no choice from a file")
        << int(BackgroundKind::NoChoice) << true << QSize(120, 32);
    QTest::newRow("predefined") << int(BackgroundKind::Predefined) << true << QSize(100, 30);
    QTest::newRow("own image") << int(BackgroundKind::OwnImage) << true << QSize(200, 50);
    QTest::newRow("predefined, none chosen")
        << int(BackgroundKind::Predefined) << false << QSize(0, 0);
    QTest::newRow("own image, none loaded")
        << int(BackgroundKind::OwnImage) << false << QSize(0, 0);
}

void tst_ButtonSize::normalSize()
{
    QFETCH(int, kind);
    QFETCH(bool, withPictures);
    QFETCH(QSize, expected);
    ButtonProject project;
    project.normal.backgroundKind = BackgroundKind(kind);
    BackgroundPictures pictures;
    if (withPictures) {
        pictures.setPredefined(ButtonState::Normal, QImage(100, 30, QImage::Format_RGB32));
        pictures.setOwnImage(ButtonState::Normal, QImage(200, 50, QImage::Format_RGB32));
    }
    // The other states' pictures never decide the Normal size.
    pictures.setPredefined(ButtonState::Selected, QImage(7, 7, QImage::Format_RGB32));
    pictures.setOwnImage(ButtonState::Selected, QImage(9, 9, QImage::Format_RGB32));
    QCOMPARE(ButtonSize::normalSize(project, pictures), expected);
}

void tst_ButtonSize::mismatchWarning_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("normal");
    QTest::addColumn<QString>("warning");
    QTest::newRow("own 146x34 against B11")
        << QSize(146, 34) << QSize(153, 36)
        << "Warning! Image dimensions 34x146 are different from size of normal button 36x153";
    QTest::newRow("heights differ only")
        << QSize(120, 40) << QSize(120, 32)
        << "Warning! Image dimensions 40x120 are different from size of normal button 32x120";
    QTest::newRow("widths differ only")
        << QSize(100, 32) << QSize(120, 32)
        << "Warning! Image dimensions 32x100 are different from size of normal button 32x120";
    QTest::newRow("same size") << QSize(153, 36) << QSize(153, 36) << QString();
}

void tst_ButtonSize::mismatchWarning()
{
    QFETCH(QSize, image);
    QFETCH(QSize, normal);
    QFETCH(QString, warning);
    QCOMPARE(ButtonSize::mismatchWarning(image, normal), warning);

    ButtonProject project;
    project.normal.backgroundKind = BackgroundKind::Predefined;
    BackgroundPictures pictures;
    pictures.setPredefined(ButtonState::Normal, QImage(normal, QImage::Format_RGB32));
    QCOMPARE(ButtonSize::ownImageWarning(project, pictures, ButtonState::Selected, image), warning);
    QCOMPARE(ButtonSize::ownImageWarning(project, pictures, ButtonState::Pressed, image), warning);
}

void tst_ButtonSize::ownImageWarningNeverForNormal()
{
    ButtonProject project;
    BackgroundPictures pictures;
    QVERIFY(
        ButtonSize::ownImageWarning(project, pictures, ButtonState::Normal, QSize(5, 5)).isEmpty());
    // The Regular size is what a Selected image is held against.
    QCOMPARE(ButtonSize::ownImageWarning(project, pictures, ButtonState::Selected, QSize(5, 5)),
             QStringLiteral("Warning! Image dimensions 5x5 are different from size of normal "
                            "button 32x120"));
}

QTEST_MAIN(tst_ButtonSize)
#include "tst_ButtonSize.moc"
