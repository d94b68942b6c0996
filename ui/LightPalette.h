#pragma once

#include <QPalette>

// The colours of a window whose background colour is fixed. A dark desktop theme would put its
// light text and dark fields on the pale ground; these windows keep every colour of their own,
// while message boxes and the desktop's dialogs follow the theme.
class LightPalette
{
public:
    // Every role of every group is set, so that no colour of the desktop's theme shows through,
    // not even when the theme changes while the window is open.
    static QPalette on(const QColor& window);
};
