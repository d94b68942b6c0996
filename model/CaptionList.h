#pragma once

#include <QStringList>

// The ordered button captions. Everything before the first "|" is a caption's first line,
// the rest its second.
using CaptionList = QStringList;

struct CaptionLines
{
    QStringList lines; // one or two entries
    bool isTwoLines() const { return lines.size() == 2; }
};

CaptionLines splitCaption(const QString& caption);
