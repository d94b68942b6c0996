#pragma once

#include "ButtonProject.h"
#include "Failure.h"
#include "ProjectKeys.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <functional>

class RegularFile;

// Reads a project file line by line into a project. Lines it does not know are ignored,
// fields the file does not name keep their values, and reading stops at the first line
// whose value cannot be applied; the lines before it stay applied. That line's failure is
// returned: a value that is no integer or colour (NotAnInteger, NotAColour, detail the value),
// or the own-picture loader's failure. A file that cannot be opened or read fails with
// ProjectFileAccess.
class ProjectFileReader
{
public:
    // Loads the picture of a state's own background.
    using OwnImageLoader = std::function<Failure(ButtonState state, const QString& path)>;

    explicit ProjectFileReader(ButtonProject& project, OwnImageLoader loader = {});

    // Opens project.projectFileName without blocking; when it cannot be opened nothing changes.
    // A file beyond 64 MB is refused (ProjectTooLarge), and so are a folder (IsFolder), a
    // socket and a device (NotRegularFile). A pipe or FIFO is read as a whole first, and
    // refused beyond 64 MB (PipeTooLarge); one that nobody writes to reads as empty.
    Failure loadProjectFile();
    // Clears the captions, then applies the lines; easy to call from a fuzzer.
    Failure loadFromBytes(const QByteArray& data);
    Failure applyProjectLine(const QString& line);
    // Whether any line read so far named a key of a project file; a file without one is
    // something else.
    bool namedProjectKey() const { return m_namedProjectKey; }

private:
    Failure readFrom(QIODevice& device);
    Failure readStream(RegularFile& input);
    Failure applyValue(const ProjectKeys::Key& key, const QString& value);
    Failure loadOwnImage(ButtonState state);

    ButtonProject& m_project;
    OwnImageLoader m_loader;
    bool m_namedProjectKey = false;
};
