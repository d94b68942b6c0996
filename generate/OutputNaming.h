#pragma once

#include "ButtonProject.h"

#include <QString>

// Where every generated file goes and what it is called. The wizard, the sample page, the
// browser preview and the command line all find the files through these rules.
//
// "/" is the directory separator. Only the file name part of a path is lower-cased: on a
// case-sensitive file system lower-casing the directory would point somewhere else.
class OutputNaming
{
public:
    // The output directory with exactly one trailing "/" (a root "/" stays "/"). An empty
    // text means the current directory, "./", rather than the file system root.
    static QString normalisedOutputDirectory(const QString& outputDirectory);

    // The caption without control characters (NUL included) and with the eleven characters
    // that file systems or URLs dislike replaced by letters or "-"; letter case kept. Having no
    // "/", it always names a file inside the output directory.
    static QString captionFileName(const QString& caption);

    // Empty when the prefix is fine; otherwise "Invalid file name prefix: " and the prefix
    // quoted. Refused: "/", "\", NUL or any other control character, and "." or "..", any of
    // which could place files outside the output directory or under names that are lost.
    static QString prefixError(const QString& prefix);

    // Text in double quotes, with quotes, backslashes and control characters escaped and
    // at most 40 characters shown.
    static QString quotedText(const QString& text);

    // The name of caption n (1-based): its caption file name, or the prefix and n.
    static QString buttonFileName(const ButtonProject& project, int captionIndex);

    static QString stateSuffix(ButtonState state);

    // Directory + lower-cased button file name + state suffix, without extension.
    static QString imagePathStem(const ButtonProject& project, int captionIndex, ButtonState state);

    // The stem of an image's double-size twin: the stem followed by "@2x".
    static QString doubleSizeStem(const QString& pathStem);

    // Directory + prefix + "PAGE.html"; the prefix keeps its letter case.
    static QString samplePagePath(const ButtonProject& project);

    // Directory + lower-cased (prefix unless captions are names) + "project.blp".
    static QString projectCopyPath(const ButtonProject& project);

    // Lower-cases A-Z only; every other character stays.
    static QString toLowerAscii(const QString& text);

    // Lower-cases the part after the last "/".
    static QString lowerFileNamePart(const QString& path);
};
