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
    QTest::newRow("height 2 -1") << true << 2 << -1 << 1;
    QTest::newRow("width 1 -1") << false << 1 << -1 << 1;
    QTest::newRow("width 1 +1") << false << 1 << 1 << 2;
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
    QTest::addColumn<QSize>("after"); // from 120 x 32
    QTest::newRow("height -5") << 0 << QSize(120, 27);
    QTest::newRow("height -1") << 1 << QSize(120, 31);
    QTest::newRow("height +1") << 2 << QSize(120, 33);
    QTest::newRow("height +5") << 3 << QSize(120, 37);
    QTest::newRow("width -10") << 4 << QSize(110, 32);
    QTest::newRow("width -1") << 5 << QSize(119, 32);
    QTest::newRow("width +1") << 6 << QSize(121, 32);
    QTest::newRow("width +10") << 7 << QSize(130, 32);
    // A number out of range acts as the nearest step.
    QTest::newRow("past the last") << 9 << QSize(130, 32);
    QTest::newRow("before the first") << -1 << QSize(120, 27);
}

void tst_ButtonSize::stepButtons()
{
    QFETCH(int, step);
    QFETCH(QSize, after);
    const auto s = ButtonSize::Step(step);
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

QTEST_MAIN(tst_ButtonSize)
#include "tst_ButtonSize.moc"
