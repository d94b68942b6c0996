#pragma once

#include "ButtonProject.h"

#include <QString>

#include <optional>

// The wizard's sixteen pages, the routes between them that the JavaScript option decides, each
// page's check, and the choices the first pass copies from the Normal pages to the others.
class PageFlow
{
public:
    enum Page
    {
        Start,
        LabelText,
        JavaScriptOptions,
        NormalButton,
        NormalButtonOptions,
        NormalButtonPickFont,
        SelectedButton,
        SelectedButtonOptions,
        SelectedButtonPickFont,
        ButtonPressed,
        ButtonPressedOptions,
        ButtonPressedPickFont,
        OutputDirectory,
        Html,
        Generate,
        Finished,
        PageCount
    };

    // The page graph; a page outside 0..15, or no following page, gives the page itself.
    static int nextPage(int page, JavaScriptOption option);
    static int previousPage(int page, JavaScriptOption option);
    // The message of the first failed check of a page, empty when the page may be left.
    static QString pageCheckMessage(int page, const ButtonProject& project);
    // The output page's check of the file name prefix alone; empty when it will do.
    static QString prefixCheckMessage(const ButtonProject& project);
    // What leaving a Normal page on the first pass copies to the Selected and Pressed styles;
    // false when the page copies nothing.
    static bool copyFirstPassChoices(int pageLeft, ButtonProject& project);
    // The state whose background a page shows, if it shows one.
    static std::optional<ButtonState> backgroundPageState(int page);
};
