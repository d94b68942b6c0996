#include "Enumerations.h"

template <> RadioGroupTexts radioGroupTexts<JavaScriptOption>()
{
    return {QStringLiteral("JavaScript Options"),
            {QStringLiteral("Generate standard \"mouse-over\" buttons"),
             QStringLiteral("Generate standard \"pressed\" buttons"),
             QStringLiteral("Generate both \"mouse-over\" and \"pressed\" buttons"),
             QStringLiteral("Generate static buttons ( No JavaScript - works on any browser )")}};
}

template <> RadioGroupTexts radioGroupTexts<BackgroundKind>()
{
    return {QStringLiteral("Button Backgrounds"),
            {QStringLiteral("1. Regular Button"), QStringLiteral("2. Predefined button image"),
             QStringLiteral("3. Use your own image")}};
}

template <> RadioGroupTexts radioGroupTexts<BorderEffect>()
{
    return {QStringLiteral("Add Button Border Effects"),
            {QStringLiteral("Do not add border effect"),
             QStringLiteral("Add 3D Button border (inset by 1 pixel)"),
             QStringLiteral("Add 3D Button border "),
             QStringLiteral("Add 3D Button border (black edge)"),
             QStringLiteral("Add Black Border (1 pixel wide) only")}};
}

template <> RadioGroupTexts radioGroupTexts<PressEffect>()
{
    return {QStringLiteral("Simulate a Button Press"),
            {QStringLiteral("None"), QStringLiteral("Pressed (image is moved down slightly)")}};
}

template <> RadioGroupTexts radioGroupTexts<TextJustification>()
{
    return {QStringLiteral("Text Justification"),
            {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right"),
             QStringLiteral("Indent Left"), QStringLiteral("Indent Right")}};
}

template <> RadioGroupTexts radioGroupTexts<TextOrientation>()
{
    return {QStringLiteral("Text Orientation"),
            {QStringLiteral("Top"), QStringLiteral("Center"), QStringLiteral("Bottom")}};
}

template <> RadioGroupTexts radioGroupTexts<HtmlDirection>()
{
    return {QStringLiteral("Direction"),
            {QStringLiteral("Down the page"), QStringLiteral("Across the page")}};
}

template <> RadioGroupTexts radioGroupTexts<HtmlTable>()
{
    return {QStringLiteral("Alignment Options"),
            {QStringLiteral("Generate <TABLE> to align buttons "), QStringLiteral("No <TABLE>")}};
}

template <> RadioGroupTexts radioGroupTexts<ImageFileFormat>()
{
    return {QStringLiteral("Select Image File format to create"),
            {QStringLiteral("Generate PNG files"), QStringLiteral("Generate JPG files"),
             QStringLiteral("Generate GIF Files")}};
}
