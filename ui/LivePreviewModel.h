#pragma once

#include <QAbstractListModel>
#include <QSize>

class LivePreview;

// The live preview's rows for a list view: each caption's buttons side by side as one icon,
// and the caption with a mark when its buttons cut it. Rows are drawn as they are shown.
class LivePreviewModel : public QAbstractListModel
{
    Q_OBJECT
public:
    explicit LivePreviewModel(LivePreview& preview, QObject* parent = nullptr);

    // Everything anew, after a change.
    void reload();
    // The largest icon of any row, as the view must allow for.
    QSize largestIcon() const { return m_largestIcon; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static constexpr int gap = 6;
    static constexpr int textWidth = 220;

private:
    QSize iconSize(int row) const;

    LivePreview& m_preview;
    QSize m_largestIcon;
};
