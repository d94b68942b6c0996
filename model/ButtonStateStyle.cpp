#include "ButtonStateStyle.h"

bool ButtonStateStyle::operator==(const ButtonStateStyle& o) const
{
    return backgroundKind == o.backgroundKind && backgroundColor == o.backgroundColor &&
           predefinedIndex == o.predefinedIndex && imageFileName == o.imageFileName &&
           borderEffect == o.borderEffect && pressEffect == o.pressEffect &&
           fontName == o.fontName && fontColor == o.fontColor && fontSize == o.fontSize &&
           fontBold == o.fontBold && fontItalic == o.fontItalic &&
           fontUnderline == o.fontUnderline && fontStrikeOut == o.fontStrikeOut &&
           textJustification == o.textJustification && textOrientation == o.textOrientation &&
           dropShadow == o.dropShadow && dropShadowColor == o.dropShadowColor;
}
