#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// A path as the system spells it, in bytes that need not be UTF-8, and as the program carries
// it. A byte that is no part of valid UTF-8 becomes the lone surrogate U+DC80..U+DCFF and back
// again, so every name survives the round trip; Qt's own conversion (QFile::encodeName and
// everything that opens a path through it) makes such a byte U+FFFD for good.
class PathBytes
{
public:
    static QString decode(QByteArrayView bytes);
    static QByteArray encode(QStringView path);
    // Opens file for reading by its file name, every byte kept; false with errno set when the
    // name cannot be opened.
    static bool openForReading(QFile& file);
    static bool isFolder(const QString& path);
    // The path from the root, cleaned, with the current folder's own bytes.
    static QString absolute(const QString& path);
};
