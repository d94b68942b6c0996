#pragma once

#include "Enumerations.h"

#include <QImage>

// The decoded background pictures of the three states: the built-in picture of each state's
// current predefined index and its decoded own image. Kept in step with the project by
// whoever changes the indices or file names.
class BackgroundPictures
{
public:
    const QImage& predefined(ButtonState state) const { return m_predefined[slot(state)]; }
    void setPredefined(ButtonState state, const QImage& image)
    {
        m_predefined[slot(state)] = image;
    }
    const QImage& ownImage(ButtonState state) const { return m_own[slot(state)]; }
    void setOwnImage(ButtonState state, const QImage& image) { m_own[slot(state)] = image; }

    // The picture the renderer copies for a background kind; null for Regular.
    const QImage& backgroundFor(ButtonState state, BackgroundKind kind) const;

private:
    static int slot(ButtonState state) { return int(state) - 1; }
    QImage m_predefined[3];
    QImage m_own[3];
};
