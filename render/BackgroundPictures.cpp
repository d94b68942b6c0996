#include "BackgroundPictures.h"

const QImage& BackgroundPictures::backgroundFor(ButtonState state, BackgroundKind kind) const
{
    static const QImage none;
    switch (kind) {
    case BackgroundKind::Predefined:
        return predefined(state);
    case BackgroundKind::OwnImage:
        return ownImage(state);
    case BackgroundKind::Regular:
    case BackgroundKind::NoChoice:
        break;
    }
    return none;
}
