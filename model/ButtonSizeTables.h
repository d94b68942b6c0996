#pragma once

#include <QVector>

// Width and height of each caption's Normal image in the last run, by caption number (1-based).
// The tables grow with the caption list; entries never rendered read as zero.
class ButtonSizeTables
{
public:
    void store(int captionIndex, qint32 width, qint32 height);
    qint32 width(int captionIndex) const;
    qint32 height(int captionIndex) const;
    int size() const { return int(m_widths.size()); }

private:
    QVector<qint32> m_widths;
    QVector<qint32> m_heights;
};
