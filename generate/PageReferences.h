#pragma once

#include "ButtonProject.h"

#include <QString>

// How the sample page and its stylesheet refer to the generated files and to the buttons, so
// that both spell a reference the same way.
class PageReferences
{
public:
    // A file name as it stands in a URL: characters that would end or redirect the URL,
    // or break the script string that preloads it, and non-ASCII, percent-encoded as UTF-8.
    // A name holding ":" gets "./" in front, or its start would read as a scheme.
    static QString urlFromFileName(const QString& fileName);
    // The same for a srcset, where a blank ends the URL and a comma may end the candidate.
    static QString srcsetUrlFromFileName(const QString& fileName);

    // The class that ties caption n's link to its rules.
    static QString buttonClass(int n);

    // The page's colours as "#RRGGBB" when the project sets its page colour: that colour and
    // black or white text, whichever reads on it. Both empty for the default white page.
    struct PageColors
    {
        QString background;
        QString text;
    };
    static PageColors pageColors(const ButtonProject& project);
};
