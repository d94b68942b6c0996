#pragma once

#include <QString>

// The length limit of a text the user enters, whether typed, pasted or set whole through the
// accessibility interface. A longer text read from a project file stays whole: an edit may
// shorten it but never lengthen it.
class TextLimit
{
public:
    // What an edit that turned before into after keeps: whatever the edit inserted is cut at
    // its end until the text fits, as a paste into a field of limited length is. insertionEnd,
    // if given, receives where the kept insertion ends, for the caret.
    static QString edited(const QString& before, const QString& after, int limit,
                          qsizetype* insertionEnd = nullptr);
};
