#pragma once

#include "ButtonProject.h"
#include "ImageFileWriter.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

// Which files of each image and sprite a run wrote, so that the page and the stylesheet name
// only files that are there. Only the images not written whole are kept.
class WrittenFiles
{
public:
    explicit WrittenFiles(const ButtonProject& project);

    // Of caption n's image, or its sprite (no state), the first `written` of its files are on
    // disk.
    void record(int captionIndex, std::optional<ButtonState> state, int scale,
                const QList<ImageFileWriter::Target>& files, qsizetype written);

    // The file to show for it: the page's format when that was written, or else another one
    // that was; empty when none was.
    QString fileName(int captionIndex, std::optional<ButtonState> state, int scale) const;

private:
    static quint64 key(int captionIndex, std::optional<ButtonState> state, int scale);

    const ButtonProject& m_project;
    QHash<quint64, quint8> m_partlyWritten; // one bit for each format written
};
