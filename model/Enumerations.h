#pragma once

#include <QStringList>

// Each enumeration holds the zero-based index of its radio group's item.
// NoChoice (-1) only ever comes from a project file.

enum class JavaScriptOption : int
{
    NoChoice = -1,
    MouseOver = 0,
    Pressed = 1,
    Both = 2,
    Static = 3
};
enum class BackgroundKind : int
{
    NoChoice = -1,
    Regular = 0,
    Predefined = 1,
    OwnImage = 2
};
enum class BorderEffect : int
{
    NoChoice = -1,
    None = 0,
    Bevel3DInset = 1,
    Bevel3D = 2,
    Bevel3DBlackEdge = 3,
    BlackBorder = 4
};
enum class PressEffect : int
{
    NoChoice = -1,
    None = 0,
    Pressed = 1
};
enum class TextJustification : int
{
    NoChoice = -1,
    Left = 0,
    Center = 1,
    Right = 2,
    IndentLeft = 3,
    IndentRight = 4
};
enum class TextOrientation : int
{
    NoChoice = -1,
    Top = 0,
    Center = 1,
    Bottom = 2
};
enum class HtmlDirection : int
{
    NoChoice = -1,
    Down = 0,
    Across = 1
};
enum class HtmlTable : int
{
    NoChoice = -1,
    MakeTable = 0,
    NoTable = 1
};
enum class ImageFileFormat : int
{
    NoChoice = -1,
    Png = 0,
    Jpg = 1,
    Gif = 2
};

enum class ButtonState : int
{
    Normal = 1,
    Selected = 2,
    Pressed = 3
};

// The radio group of an enumeration: its caption and item texts, as the user sees them.
struct RadioGroupTexts
{
    QString caption;
    QStringList items;
};

template <typename E> RadioGroupTexts radioGroupTexts();
template <> RadioGroupTexts radioGroupTexts<JavaScriptOption>();
template <> RadioGroupTexts radioGroupTexts<BackgroundKind>();
template <> RadioGroupTexts radioGroupTexts<BorderEffect>();
template <> RadioGroupTexts radioGroupTexts<PressEffect>();
template <> RadioGroupTexts radioGroupTexts<TextJustification>();
template <> RadioGroupTexts radioGroupTexts<TextOrientation>();
template <> RadioGroupTexts radioGroupTexts<HtmlDirection>();
template <> RadioGroupTexts radioGroupTexts<HtmlTable>();
template <> RadioGroupTexts radioGroupTexts<ImageFileFormat>();

// Limits a stored index to its group: below -1 gives -1, beyond the last item gives the last.
template <typename E> E clampToGroup(qint64 value)
{
    const qint64 last = radioGroupTexts<E>().items.size() - 1;
    if (value < -1)
        value = -1;
    if (value > last)
        value = last;
    return static_cast<E>(value);
}
