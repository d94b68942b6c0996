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

// The way every state's gradient runs: top to bottom, or left to right.
enum class GradientDirection : int
{
    NoChoice = -1,
    Vertical = 0,
    Horizontal = 1
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

// The last choice of each enumeration.
constexpr JavaScriptOption lastChoice(JavaScriptOption)
{
    return JavaScriptOption::Static;
}
constexpr BackgroundKind lastChoice(BackgroundKind)
{
    return BackgroundKind::OwnImage;
}
constexpr BorderEffect lastChoice(BorderEffect)
{
    return BorderEffect::BlackBorder;
}
constexpr PressEffect lastChoice(PressEffect)
{
    return PressEffect::Pressed;
}
constexpr TextJustification lastChoice(TextJustification)
{
    return TextJustification::IndentRight;
}
constexpr TextOrientation lastChoice(TextOrientation)
{
    return TextOrientation::Bottom;
}
constexpr HtmlDirection lastChoice(HtmlDirection)
{
    return HtmlDirection::Across;
}
constexpr HtmlTable lastChoice(HtmlTable)
{
    return HtmlTable::NoTable;
}
constexpr ImageFileFormat lastChoice(ImageFileFormat)
{
    return ImageFileFormat::Gif;
}
constexpr GradientDirection lastChoice(GradientDirection)
{
    return GradientDirection::Horizontal;
}

// Limits a stored index to its enumeration: below -1 gives -1 (NoChoice), beyond the last
// choice gives the last.
template <typename E> constexpr E clampChoice(qint64 value)
{
    return static_cast<E>(qBound<qint64>(-1, value, qint64(lastChoice(E{}))));
}
