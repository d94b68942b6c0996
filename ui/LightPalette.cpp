#include "LightPalette.h"

QPalette LightPalette::on(const QColor& window)
{
    // Black text on white fields and grey buttons; the 3D shades are taken from the button.
    QPalette p(QColor(0xE8, 0xE8, 0xE8), window);
    const QColor disabledText(0x80, 0x80, 0x80);
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        p.setColor(group, QPalette::WindowText, disabled ? disabledText : Qt::black);
        p.setColor(group, QPalette::Text, disabled ? disabledText : Qt::black);
        p.setColor(group, QPalette::ButtonText, disabled ? disabledText : Qt::black);
        p.setColor(group, QPalette::Base, disabled ? window : Qt::white);
        p.setColor(group, QPalette::AlternateBase, QColor(0xF4, 0xF4, 0xF4));
        p.setColor(group, QPalette::Highlight,
                   disabled ? QColor(0x90, 0x90, 0x90) : QColor(0x1B, 0x5E, 0xA8));
        p.setColor(group, QPalette::HighlightedText, Qt::white);
        p.setColor(group, QPalette::BrightText, Qt::white);
        p.setColor(group, QPalette::Link, QColor(0x00, 0x00, 0xEE));
        p.setColor(group, QPalette::LinkVisited, QColor(0x55, 0x1A, 0x8B));
        p.setColor(group, QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xDC));
        p.setColor(group, QPalette::ToolTipText, Qt::black);
        p.setColor(group, QPalette::PlaceholderText, QColor(0x6E, 0x6E, 0x6E));
    }
    return p;
}
