#pragma once

#include "ButtonProject.h"
#include "TextOffsetOptions.h"

#include <QImage>

// The picture a gallery shows for a design: its own Normal button of its first caption, drawn
// by the renderer that writes the images.
class DesignThumbnail
{
public:
    // A null image when the project has no caption or its button cannot be drawn.
    static QImage render(const ButtonProject& design,
                         const TextOffsetOptions& offsets = TextOffsetOptions::defaults());
};
