#include "ProjectFileWriter.h"

#include "BufferedLineFile.h"
#include "ProjectKeys.h"

#include <cerrno>

namespace {

// Every line of the file, without its CR LF.
template <typename Sink> void produceLines(const ButtonProject& project, Sink&& line)
{
    line(ProjectKeys::versionLine);
    for (const QString& caption : project.captions)
        line(ProjectKeys::captionKey + u'=' + ProjectKeys::lineText(caption));
    for (const ProjectKeys::Key& key : ProjectKeys::all())
        line(key.name + u'=' + key.valueText(project));
    static const ButtonProject defaults;
    for (const ProjectKeys::Option& option : ProjectKeys::optional()) {
        if (!option.key.sameIn(project, defaults))
            line(option.key.name + u'=' + option.key.valueText(project));
    }
}

} // namespace

QByteArray ProjectFileWriter::toBytes(const ButtonProject& project)
{
    QByteArray out;
    produceLines(project, [&out](const QString& line) {
        out += line.toUtf8();
        out += "\r\n";
    });
    return out;
}

Failure ProjectFileWriter::saveProjectFile(const ButtonProject& project)
{
    return save(project, project.projectFileName, true);
}

Failure ProjectFileWriter::saveProjectFile(const ButtonProject& project, const QString& path)
{
    return save(project, path, false);
}

Failure ProjectFileWriter::save(const ButtonProject& project, const QString& path, bool followLinks)
{
    if (path.isEmpty()) // as the system would have it
        return Failure(Failure::Code::Create, path, ENOENT)
            .because(FailureReason::ProjectFileAccess);
    // A project of many captions is never held whole as text.
    BufferedLineFile file(path);
    file.setFollowLinks(followLinks);
    const bool opened = file.open();
    if (opened)
        produceLines(project, [&file](const QString& line) { file.writeLine(line); });
    if (opened && file.commit())
        return Failure();
    return file.error().because(FailureReason::ProjectFileAccess);
}
