#pragma once

#include "ButtonProject.h"
#include "Failure.h"

#include <QByteArray>
#include <QString>

// Writes a project as "key=value" lines, UTF-8, CR LF after every line.
class ProjectFileWriter
{
public:
    // Writes the whole project to path, or to project.projectFileName. The file is replaced
    // only when everything was written: on any failure an earlier file of that name stays as
    // it was. project.projectFileName is the user's own file and a link there is followed;
    // path is output, where a link is replaced. A failure is a ProjectFileAccess one.
    static Failure saveProjectFile(const ButtonProject& project);
    static Failure saveProjectFile(const ButtonProject& project, const QString& path);
    static QByteArray toBytes(const ButtonProject& project); // the exact file bytes

private:
    static Failure save(const ButtonProject& project, const QString& path, bool followLinks);
};
