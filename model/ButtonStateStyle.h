#pragma once

#include "ColorRef.h"
#include "Enumerations.h"

#include <QString>

#include <optional>

// The look of one button state.
struct ButtonStateStyle
{
    BackgroundKind backgroundKind = BackgroundKind::Regular;
    ColorRef backgroundColor = Colors::rgb(255, 255, 0);
    qint32 predefinedIndex = -1; // -1 = none, 0..99 = built-in image B1..B100
    QString imageFileName;
    BorderEffect borderEffect = BorderEffect::Bevel3DInset;
    PressEffect pressEffect = PressEffect::None;
    QString fontName = QStringLiteral("MS Sans Serif");
    ColorRef fontColor = Colors::windowText;
    qint32 fontSize = 8; // points
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikeOut = false;
    TextJustification textJustification = TextJustification::Center;
    TextOrientation textOrientation = TextOrientation::Center;
    bool dropShadow = false;
    ColorRef dropShadowColor = Colors::rgb(255, 255, 255);
    // A Regular background runs from backgroundColor to this one; none keeps it solid.
    std::optional<ColorRef> gradientColor;

    // A predefined index outside the catalogue means no built-in image.
    bool hasPredefinedImage() const { return isPredefinedIndex(predefinedIndex); }
    static constexpr bool isPredefinedIndex(qint64 index) { return index >= 0 && index <= 99; }
    // Empty, "..." or three characters or fewer means no own image.
    bool namesOwnImage() const
    {
        return imageFileName.size() > 3 && !imageFileName.contains(QLatin1String("..."));
    }

    bool operator==(const ButtonStateStyle&) const = default;
};
