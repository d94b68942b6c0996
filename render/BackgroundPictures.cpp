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

const QImage& BackgroundPictures::coverageFor(ButtonState state, BackgroundKind kind) const
{
    static const QImage none;
    if (kind == BackgroundKind::Predefined)
        return m_predefinedCoverage[slot(state)];
    if (kind == BackgroundKind::OwnImage)
        return m_ownCoverage[slot(state)];
    return none;
}

const Failure& BackgroundPictures::refusal(ButtonState state, BackgroundKind kind) const
{
    static const Failure none;
    switch (kind) {
    case BackgroundKind::Predefined:
        return m_predefinedRefusal[slot(state)];
    case BackgroundKind::OwnImage:
        return m_ownRefusal[slot(state)];
    case BackgroundKind::Regular:
    case BackgroundKind::NoChoice:
        break;
    }
    return none;
}

void BackgroundPictures::setRefusal(ButtonState state, BackgroundKind kind, const Failure& reason)
{
    if (kind == BackgroundKind::Predefined)
        m_predefinedRefusal[slot(state)] = reason;
    else if (kind == BackgroundKind::OwnImage)
        m_ownRefusal[slot(state)] = reason;
}
