#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

inline QList<QWidget*> laidOutControls(QWidget* page)
{
    QList<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (w->isVisibleTo(page) && !w->isWindow() &&
            (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) ||
             qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)))
            controls.append(w);
    }
    return controls;
}

inline QRect laidOutBox(QWidget* page, QWidget* w)
{
    return QRect(w->mapTo(page, QPoint()), w->size());
}

inline QString laidOutName(QWidget* w)
{
    const QString name = w->objectName().isEmpty() ? w->accessibleName() : w->objectName();
    return QString::fromLatin1(w->metaObject()->className()) + " '" + name + "'";
}

// Every visible control lies inside its page and clear of every other: one left out of a
// layout sits at the corner, under another.
inline void checkLaidOut(QWidget* page, const QString& where)
{
    const QList<QWidget*> controls = laidOutControls(page);
    for (QWidget* a : controls) {
        const QRect box = laidOutBox(page, a);
        QVERIFY2(page->rect().contains(box), qPrintable(where + " " + laidOutName(a)));
        for (QWidget* b : controls) {
            if (a < b && !a->isAncestorOf(b) && !b->isAncestorOf(a))
                QVERIFY2(!box.intersects(laidOutBox(page, b)),
                         qPrintable(where + " " + laidOutName(a) + " over " + laidOutName(b)));
        }
    }
}

// Where each control stands, a line each, for comparing a whole layout with a stored copy.
inline QStringList layoutLines(QWidget* page, const QString& where)
{
    QStringList lines;
    for (QWidget* w : laidOutControls(page)) {
        const QRect box = laidOutBox(page, w);
        lines << QStringLiteral("%1: %2 at %3,%4 %5x%6")
                     .arg(where, laidOutName(w))
                     .arg(box.x())
                     .arg(box.y())
                     .arg(box.width())
                     .arg(box.height());
    }
    return lines;
}

// Compares lines with the copy stored under the test data; REGENERATE=1 in the environment
// writes the copy instead, after a deliberate change of the layout.
inline void compareWithStored(const QStringList& lines, const QString& name)
{
    QFile stored(QStringLiteral(TEST_DATA_DIR "/") + name);
    const QByteArray text = lines.join(u'\n').toUtf8() + '\n';
    if (qEnvironmentVariableIsSet("REGENERATE")) {
        QVERIFY(stored.open(QIODevice::WriteOnly) && stored.write(text) == text.size());
        return;
    }
    QVERIFY2(stored.open(QIODevice::ReadOnly), qPrintable(stored.fileName()));
    const QStringList want = QString::fromUtf8(stored.readAll()).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        QCOMPARE(lines.at(i), want.value(i));
    QCOMPARE(lines.size(), want.size() - 1);
}
