#pragma once

#include <QtGlobal>

// Distances of the caption from the button's edges.
struct TextOffsetOptions
{
    qint32 textIndent = 40; // 0..200, extra distance for the indent justifications
    qint32 textOffset = 2;  // 0..24
    quint8 retainSettings = 0;

    static const TextOffsetOptions& defaults();
    // Replaces out-of-range values by the defaults, silently.
    void validate();

    bool operator==(const TextOffsetOptions&) const = default;
};
