#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QGroupBox>
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
             qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
             qobject_cast<QGroupBox*>(w)))
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

// What a screen reader and the keyboard meet beside the shown text.
inline QString laidOutTraits(QWidget* w)
{
    QStringList traits;
    if (QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w)) {
        traits << QStringLiteral("reads \"%1\"").arg(accessible->text(QAccessible::Name));
        if (const QString d = accessible->text(QAccessible::Description); !d.isEmpty())
            traits << QStringLiteral("described \"%1\"").arg(d);
    }
    if (!w->toolTip().isEmpty())
        traits << QStringLiteral("tip \"%1\"").arg(w->toolTip());
    if (!w->isEnabled())
        traits << QStringLiteral("disabled");
    if (auto* field = qobject_cast<QLineEdit*>(w); field && field->isReadOnly())
        traits << QStringLiteral("read-only");
    traits << QStringLiteral("focus %1").arg(int(w->focusPolicy()));
    if (auto* view = qobject_cast<QAbstractItemView*>(w))
        traits << QStringLiteral("select %1 scroll %2 edit %3")
                      .arg(int(view->selectionMode()))
                      .arg(int(view->verticalScrollMode()))
                      .arg(int(view->editTriggers()));
    return traits.join(QStringLiteral(", "));
}

// Where each control stands and what it tells, a line each, for comparing a whole layout with
// a stored copy.
inline QStringList layoutLines(QWidget* page, const QString& where)
{
    QStringList lines;
    for (QWidget* w : laidOutControls(page)) {
        const QRect box = laidOutBox(page, w);
        lines << QStringLiteral("%1: %2 at %3,%4 %5x%6; %7")
                     .arg(where, laidOutName(w))
                     .arg(box.x())
                     .arg(box.y())
                     .arg(box.width())
                     .arg(box.height())
                     .arg(laidOutTraits(w));
    }
    return lines;
}

// What the widget looks like, as a digest: any pixel drawn differently changes it. Focus is
// taken away for the picture, as a blinking cursor would make it depend on the moment.
inline QString pictureLine(QWidget* widget, const QString& where)
{
    QWidget* focused = QApplication::focusWidget();
    if (focused)
        focused->clearFocus();
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (focused)
        focused->setFocus();
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    return QStringLiteral("%1: %2x%3 picture %4")
        .arg(where)
        .arg(image.width())
        .arg(image.height())
        .arg(
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex()));
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
