#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

// Every visible control lies inside its page and clear of every other: one left out of a
// layout sits at the corner, under another.
inline void checkLaidOut(QWidget* page, const QString& where)
{
    QList<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (w->isVisibleTo(page) && !w->isWindow() &&
            (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) ||
             qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)))
            controls.append(w);
    }
    const auto box = [page](QWidget* w) { return QRect(w->mapTo(page, QPoint()), w->size()); };
    const auto named = [](QWidget* w) {
        return QString::fromLatin1(w->metaObject()->className()) + " '" + w->accessibleName() + "'";
    };
    for (QWidget* a : controls) {
        QVERIFY2(page->rect().contains(box(a)), qPrintable(where + " " + named(a)));
        for (QWidget* b : controls) {
            if (a < b && !a->isAncestorOf(b) && !b->isAncestorOf(a))
                QVERIFY2(!box(a).intersects(box(b)),
                         qPrintable(where + " " + named(a) + " over " + named(b)));
        }
    }
}
