#include "SplashForm.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

// The splash and About window in its two modes.
class tst_SplashForm : public QObject
{
    Q_OBJECT
private slots:
    void modes_data();
    void modes();
    void clickOnThePictureCloses_data();
    void clickOnThePictureCloses();
};

void tst_SplashForm::modes_data()
{
    QTest::addColumn<SplashForm::Mode>("mode");
    QTest::newRow("start-up") << SplashForm::StartUp;
    QTest::newRow("about") << SplashForm::About;
}

void tst_SplashForm::modes()
{
    QFETCH(SplashForm::Mode, mode);
    const bool about = mode == SplashForm::About;
    SplashForm form(mode);
    QSignalSpy help(&form, &SplashForm::webPageRequested);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), QSize(280, 140));
    // The picture fills the window: its corners, away from the texts, show it.
    const QImage shown = form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture =
        QImage(QStringLiteral(":/wizard/splash.png")).convertToFormat(QImage::Format_RGB32);
    for (const QPoint& at : {QPoint(2, 2), QPoint(2, 137), QPoint(277, 137)})
        QCOMPARE(shown.pixel(at), picture.pixel(at));
    QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(form.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(form.titleLabel()->text(), QStringLiteral("Brindlewick Version 4.00"));
    QVERIFY(form.titleLabel()->font().bold());
    // The title and the link fit the picture whole.
    for (const QLabel* label : {form.titleLabel(), form.linkLabel()}) {
        QVERIFY(form.rect().contains(label->geometry()));
        QVERIFY(label->sizeHint().width() <= label->width());
    }
    QCOMPARE(form.closeButton()->isVisible(), about);
    QCOMPARE(form.closeButton()->geometry(), QRect(280 - 6 - 16, 6, 16, 16));

    // The link opens the web page in About mode only; a click on it never closes the window.
    QTest::mouseClick(form.linkLabel(), Qt::LeftButton, {}, form.linkLabel()->rect().center());
    QCOMPARE(help.size(), int(about));
    QVERIFY(form.isVisible());
    if (about) {
        // And from the keyboard: Tab to the link, then Enter.
        form.linkLabel()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(form.linkLabel(), Qt::Key_Return);
        QCOMPARE(help.size(), 2);
        QTest::mouseClick(form.closeButton(), Qt::LeftButton);
        QVERIFY(!form.isVisible());
    }
}

void tst_SplashForm::clickOnThePictureCloses_data()
{
    modes_data();
}

void tst_SplashForm::clickOnThePictureCloses()
{
    QFETCH(SplashForm::Mode, mode);
    SplashForm form(mode);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // On the title, which is part of the picture.
    QTest::mouseClick(form.titleLabel(), Qt::LeftButton);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(tst_SplashForm)
#include "tst_SplashForm.moc"
