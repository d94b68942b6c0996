#include "ButtonSizeTables.h"

void ButtonSizeTables::store(int captionIndex, qint32 width, qint32 height)
{
    if (captionIndex < 1)
        return;
    if (captionIndex > m_widths.size()) {
        m_widths.resize(captionIndex);
        m_heights.resize(captionIndex);
    }
    m_widths[captionIndex - 1] = width;
    m_heights[captionIndex - 1] = height;
}

qint32 ButtonSizeTables::width(int captionIndex) const
{
    return captionIndex >= 1 && captionIndex <= m_widths.size() ? m_widths[captionIndex - 1] : 0;
}

qint32 ButtonSizeTables::height(int captionIndex) const
{
    return captionIndex >= 1 && captionIndex <= m_heights.size() ? m_heights[captionIndex - 1] : 0;
}
