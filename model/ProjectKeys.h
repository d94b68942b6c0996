#pragma once

#include "Enumerations.h"

#include <QList>
#include <QString>

// The keys of a project file after its captions, in the order they are written.
class ProjectKeys
{
public:
    enum class Field
    {
        JavaScriptOption,
        ButtonHeight,
        ButtonWidth,
        VariableWidth,
        BackgroundKind,
        ImageFileName,
        BackgroundColor,
        PredefinedIndex,
        BorderEffect,
        PressEffect,
        FontName,
        FontColor,
        FontSize,
        FontBold,
        FontItalic,
        FontUnderline,
        FontStrikeOut,
        TextJustification,
        TextOrientation,
        DropShadow,
        DropShadowColor,
        OutputDirectory,
        FileNamePrefix,
        UseCaptionsAsNames,
        HtmlDirection,
        HtmlTable,
        ImageFileFormat,
        SmoothCaptions,
        HiDpiImages,
        KeyboardRollovers,
    };

    struct Key
    {
        QString name;
        Field field;
        ButtonState state; // whose style a style field belongs to; Normal otherwise
    };

    static inline const QString versionLine = QStringLiteral("ButtonLayoutFileVersion=400");
    static inline const QString captionKey = QStringLiteral("LabelText");

    // All 61 classic keys in file order.
    static const QList<Key>& all();
    // Keys for the options beyond the classic output, written after the classic ones and
    // only when set, so that a project without them keeps its old bytes.
    static const QList<Key>& optional();
    // The key matching a name without regard to the case of ASCII letters; nullptr if none.
    // Other characters must match exactly, so no Unicode folding (the Kelvin sign is not "k").
    static const Key* find(QStringView name);
    static bool isCaptionKey(QStringView name);
};
