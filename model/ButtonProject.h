#pragma once

#include "ButtonStateStyle.h"
#include "CaptionList.h"

// Every choice the user makes in the wizard, with the start-up defaults.
struct ButtonProject
{
    ButtonProject();

    CaptionList captions;
    JavaScriptOption javaScriptOption = JavaScriptOption::MouseOver;
    qint32 buttonHeight = 32;
    qint32 buttonWidth = 120;
    bool variableWidth = false;
    ButtonStateStyle normal;
    ButtonStateStyle selected;
    ButtonStateStyle pressed;
    QString outputDirectory;
    QString fileNamePrefix = QStringLiteral("BTN");
    bool useCaptionsAsNames = false;
    HtmlDirection htmlDirection = HtmlDirection::Down;
    HtmlTable htmlTable = HtmlTable::MakeTable;
    ImageFileFormat imageFileFormat = ImageFileFormat::Png;
    // Beyond the classic output; all off, so older projects write the same bytes as before.
    bool smoothCaptions = false;    // greyscale antialiased captions and shadows
    bool hiDpiImages = false;       // every image also at twice the size, as <name>@2x.<ext>
    bool keyboardRollovers = false; // focus and blur mirror the mouse rollovers
    bool cssRollovers = false;      // a page without script: sprites and a stylesheet
    bool webPImages = false;        // every image also as <name>.webp, which the page shows
    qint32 cornerRadius = 0;        // the outside corners rounded with this radius; 0 = square
    ColorRef pageColor = Colors::rgb(255, 255, 255); // behind the buttons on the sample page
    GradientDirection gradientDirection = GradientDirection::Vertical;
    bool transparentPictures = false; // shaped and own pictures keep their transparent surround
    bool compactPng = false;          // PNG files with a palette where that makes them smaller
    QString projectFileName;          // never written to the project file

    ButtonStateStyle& style(ButtonState state);
    const ButtonStateStyle& style(ButtonState state) const;

    // The states a generation run draws besides Normal, in drawing order.
    QList<ButtonState> extraStates() const;
    // Normal, then the extra states.
    QList<ButtonState> drawnStates() const;

    static constexpr int minButtonHeight = 1;
    static constexpr int maxButtonHeight = 132;
    static constexpr int minButtonWidth = 1;
    static constexpr int maxButtonWidth = 300;
    static constexpr int maxCornerRadius = 64;
};
