#include "../wizard/ScriptedPlatformServices.h"
#include "CodeViewer.h"
#include "CodeViewerForm.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The viewer window: its strip, its limits and the copy as the user sees it.
class tst_CodeViewerForm : public QObject
{
    Q_OBJECT
private slots:
    void layoutFollowsTheWindow_data();
    void layoutFollowsTheWindow();
    void copyShowsTheSelectionAndCloseCloses_data();
    void copyShowsTheSelectionAndCloseCloses();

private:
    bool load(CodeViewer& viewer, const QByteArray& bytes)
    {
        QFile f(m_dir.filePath(QStringLiteral("BTNPAGE.html")));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() &&
               (f.close(), true) && !viewer.load(f.fileName());
    }

    QTemporaryDir m_dir;
};

void tst_CodeViewerForm::layoutFollowsTheWindow_data()
{
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("as opened") << QSize() << QSize(544, 371);
    QTest::newRow("wider") << QSize(900, 500) << QSize(900, 500);
    QTest::newRow("below the smallest") << QSize(100, 100) << QSize(320, 220);
    QTest::newRow("beyond the largest") << QSize(2000, 1000) << QSize(1200, 800);
}

void tst_CodeViewerForm::layoutFollowsTheWindow()
{
    QFETCH(QSize, asked);
    QFETCH(QSize, shown);
    ScriptedPlatformServices platform;
    CodeViewer viewer(platform);
    QVERIFY(load(viewer, "<html>\r\n</html>\r\n"));
    CodeViewerForm form(viewer);
    if (asked.isValid())
        form.resize(asked);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), shown);
    QCOMPARE(form.windowTitle(), QStringLiteral("View Source Code for Sample Page"));

    const QWidget* panel = form.findChild<QWidget*>(QStringLiteral("topPanel"));
    QVERIFY(panel);
    QCOMPARE(panel->geometry(), QRect(0, 0, shown.width(), 41));
    QCOMPARE(panel->palette().color(QPalette::Window), QColor(0xFF, 0xCC, 0x09));
    QCOMPARE(form.copyButton()->pos(), QPoint(8, 8));
    QCOMPARE(form.copyButton()->height(), 25);
    QCOMPARE(form.closeButton()->height(), 25);
    // At least their given widths, and wide enough for their texts.
    for (const QPushButton* b : {form.copyButton(), form.closeButton()})
        QVERIFY(b->width() >= qMax(b == form.copyButton() ? 105 : 75, b->sizeHint().width()));
    QCOMPARE(form.closeButton()->geometry().right() + 1, shown.width() - 12);
    QCOMPARE(form.code()->geometry(), QRect(0, 41, shown.width(), shown.height() - 41));
    QCOMPARE(form.code()->toPlainText(), QStringLiteral("<html>\n</html>"));
    QVERIFY(form.code()->isReadOnly());
    QCOMPARE(form.code()->font().pixelSize(), 13);
    QVERIFY(QFontInfo(form.code()->font()).fixedPitch());
}

void tst_CodeViewerForm::copyShowsTheSelectionAndCloseCloses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("copied");
    QTest::newRow("one character stays selected") << QByteArray("x") << false;
    QTest::newRow("a page is copied") << QByteArray("<html>\r\n</html>\r\n") << true;
}

void tst_CodeViewerForm::copyShowsTheSelectionAndCloseCloses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, copied);
    ScriptedPlatformServices platform;
    CodeViewer viewer(platform);
    QVERIFY(load(viewer, bytes));
    CodeViewerForm form(viewer);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    QTest::mouseClick(form.copyButton(), Qt::LeftButton);
    const QTextCursor cursor = form.code()->textCursor();
    QCOMPARE(cursor.hasSelection(), !copied);
    if (copied) {
        QCOMPARE(cursor.position(), 0);
        QCOMPARE(platform.clipboardTexts, QStringList{QStringLiteral("<html>\r\n</html>")});
        QCOMPARE(platform.messages, QStringList{QStringLiteral("Code copied to clipboard")});
    } else {
        QCOMPARE(cursor.selectedText(), QStringLiteral("x"));
        QVERIFY(platform.clipboardTexts.isEmpty() && platform.messages.isEmpty());
    }

    // Close is the next stop after Copy and closes the window.
    QCOMPARE(form.copyButton()->nextInFocusChain(), form.closeButton());
    form.closeButton()->setFocus();
    QTest::keyClick(form.closeButton(), Qt::Key_Space);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(tst_CodeViewerForm)
#include "tst_CodeViewerForm.moc"
