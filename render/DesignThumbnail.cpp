#include "DesignThumbnail.h"

#include "BackgroundPictures.h"
#include "ButtonRenderer.h"
#include "ButtonSizeTables.h"
#include "PredefinedBackground.h"

QImage DesignThumbnail::render(const ButtonProject& design, const TextOffsetOptions& offsets)
{
    if (design.captions.isEmpty())
        return QImage();
    BackgroundPictures pictures;
    PredefinedBackground::reloadPictures(design, pictures);
    ButtonSizeTables sizes;
    ButtonRenderer renderer(design, pictures, offsets, sizes);
    return renderer.render(ButtonState::Normal, 1, design.captions.first());
}
