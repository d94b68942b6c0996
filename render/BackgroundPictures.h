#pragma once

#include "Enumerations.h"
#include "Failure.h"

#include <QImage>
#include <QString>

// The decoded background pictures of the three states: the built-in picture of each state's
// current predefined index and its decoded own image. Kept in step with the project by
// whoever changes the indices or file names.
class BackgroundPictures
{
public:
    // Each picture comes as it shows over white, with how much of each pixel it covers (an
    // 8-bit image of its size) where it has a transparent surround; that is null otherwise.
    const QImage& predefined(ButtonState state) const { return m_predefined[slot(state)]; }
    void setPredefined(ButtonState state, const QImage& image, const QImage& coverage = QImage())
    {
        m_predefined[slot(state)] = image;
        m_predefinedCoverage[slot(state)] = coverage;
    }
    const QImage& ownImage(ButtonState state) const { return m_own[slot(state)]; }
    // The source names the file and version the image was decoded from, so that states naming
    // the same file can share one image; empty when unknown.
    void setOwnImage(ButtonState state, const QImage& image, const QImage& coverage = QImage(),
                     const QString& source = QString())
    {
        m_own[slot(state)] = image;
        m_ownCoverage[slot(state)] = coverage;
        m_ownSource[slot(state)] = source;
    }
    const QString& ownSource(ButtonState state) const { return m_ownSource[slot(state)]; }

    // The picture the renderer copies for a background kind; null for Regular.
    const QImage& backgroundFor(ButtonState state, BackgroundKind kind) const;
    // Its coverage; null for Regular and for pictures without a transparent surround.
    const QImage& coverageFor(ButtonState state, BackgroundKind kind) const;

    // Why a state's picture could not be made, though it was wanted; no failure when it was
    // made or never wanted. A refused picture is left null.
    const Failure& refusal(ButtonState state, BackgroundKind kind) const;
    void setRefusal(ButtonState state, BackgroundKind kind, const Failure& reason);

private:
    static int slot(ButtonState state) { return int(state) - 1; }
    QImage m_predefined[3];
    QImage m_own[3];
    QImage m_predefinedCoverage[3];
    QImage m_ownCoverage[3];
    QString m_ownSource[3];
    Failure m_predefinedRefusal[3];
    Failure m_ownRefusal[3];
};
