#pragma once

#include "ProjectKeys.h"

#include <QString>
#include <QStringList>

class QTextStream;

// "generate PROJECT.blp [--output-dir DIR] [options]" without a display: reads the project as
// File > Open does, runs the generation with the user's stored option sets and reports the
// outcome. A relative output directory is taken from the current one, and a missing one is
// created with its parents once the project and its names have passed every check.
class GenerateCommand
{
public:
    enum ExitCode
    {
        Success = 0,
        ImagesDropped = 1,
        Failed = 2
    };

    explicit GenerateCommand(const QString& projectPath) : m_projectPath(projectPath) {}

    // Replaces the project's output directory after reading, so the copy records it too.
    void setOutputDirectory(const QString& directory)
    {
        m_outputDirectory = directory;
        m_replaceOutputDirectory = true;
    }

    // Sets an option of the table for this run on top of the project's own, with its value
    // spelled as in the file; the copy records it.
    void addSetting(const ProjectKeys::Key& key, const QString& value)
    {
        m_settingLines.append(key.name + u'=' + value);
    }

    // One line per dropped image and any error go to err; a one-line summary to out.
    ExitCode execute(QTextStream& out, QTextStream& err);

    // Standard input was closed when the program started: a project named as standard input
    // is refused in so many words, not read from whatever took its place.
    static void setInputClosed() { s_inputClosed = true; }

private:
    static inline bool s_inputClosed = false;

    QString m_projectPath;
    QString m_outputDirectory;
    bool m_replaceOutputDirectory = false;
    QStringList m_settingLines;
};
