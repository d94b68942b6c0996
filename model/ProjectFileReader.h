#pragma once

#include "ButtonProject.h"
#include "ProjectKeys.h"

#include <QByteArray>
#include <QFileDevice>
#include <QIODevice>
#include <QString>

#include <functional>

// Reads a project file line by line into a project. Lines it does not know are ignored,
// fields the file does not name keep their values, and reading stops at the first line
// whose value cannot be applied; the lines before it stay applied.
class ProjectFileReader
{
public:
    // Loads the picture of a state's own background; false with a message on failure.
    using OwnImageLoader =
        std::function<bool(ButtonState state, const QString& path, QString* errorString)>;

    explicit ProjectFileReader(ButtonProject& project, OwnImageLoader loader = {});

    // Opens project.projectFileName; when it cannot be opened nothing changes. A pipe or other
    // stream is read as a whole first, and refused beyond 64 MB.
    bool loadProjectFile();
    // Clears the captions, then applies the lines; easy to call from a fuzzer.
    bool loadFromBytes(const QByteArray& data);
    bool applyProjectLine(const QString& line);
    QString errorString() const { return m_errorString; }
    // Whether any line read so far named a key of a project file; a file without one is
    // something else.
    bool namedProjectKey() const { return m_namedProjectKey; }

private:
    bool readFrom(QIODevice& device);
    bool readStream(QFileDevice& device);
    bool readFailed(QIODevice& device);
    bool applyValue(const ProjectKeys::Key& key, const QString& value);
    bool loadOwnImage(ButtonState state);
    bool readInteger(const QString& value, qint32* result);

    ButtonProject& m_project;
    OwnImageLoader m_loader;
    QString m_errorString;
    bool m_namedProjectKey = false;
};
