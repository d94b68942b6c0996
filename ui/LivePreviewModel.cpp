#include "LivePreviewModel.h"

#include "LivePreview.h"
#include "WizardTexts.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

LivePreviewModel::LivePreviewModel(LivePreview& preview, QObject* parent)
    : QAbstractListModel(parent), m_preview(preview)
{
}

void LivePreviewModel::reload()
{
    beginResetModel();
    m_largestIcon = QSize();
    for (int row = 0; row < m_preview.rowCount(); ++row)
        m_largestIcon = m_largestIcon.expandedTo(iconSize(row));
    endResetModel();
}

int LivePreviewModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_preview.rowCount();
}

QSize LivePreviewModel::iconSize(int row) const
{
    const QSize button = m_preview.fit(row).size;
    const int states = int(m_preview.states().size());
    if (button.isEmpty())
        return QSize();
    return QSize(states * button.width() + (states - 1) * gap, button.height());
}

QVariant LivePreviewModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_preview.rowCount())
        return QVariant();
    const int row = index.row();
    switch (role) {
    case Qt::DisplayRole: {
        QString text = m_preview.caption(row);
        if (m_preview.fit(row).size.isEmpty())
            text += QStringLiteral("\n(cannot be drawn)");
        else if (m_preview.fit(row).cut)
            text += QLatin1Char('\n') + WizardTexts::captionCutMark;
        return text;
    }
    case Qt::ToolTipRole:
        return m_preview.fit(row).cut ? WizardTexts::captionCutMark : QString();
    case Qt::ForegroundRole:
        if (m_preview.fit(row).cut)
            return QColor(Qt::darkRed);
        return QVariant();
    case Qt::DecorationRole: {
        const QSize size = iconSize(row);
        if (size.isEmpty())
            return QVariant();
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        int x = 0;
        for (const QImage& button : m_preview.buttons(row)) {
            // On the page, as the sample page shows them: the colour shows round the corners.
            painter.fillRect(QRect(QPoint(x, 0), button.size()),
                             QColor::fromRgb(m_preview.pageColor()));
            painter.drawImage(x, 0, button);
            x += button.width() + gap;
        }
        painter.end();
        // The same picture when the row is selected: the buttons keep their colours.
        QIcon icon(picture);
        icon.addPixmap(picture, QIcon::Selected);
        return icon;
    }
    case Qt::SizeHintRole: {
        const int lines = QFontMetrics(QApplication::font()).lineSpacing() * 2;
        const QSize icon = iconSize(row);
        return QSize(m_largestIcon.width() + gap + textWidth, qMax(icon.height(), lines) + 6);
    }
    default:
        return QVariant();
    }
}
