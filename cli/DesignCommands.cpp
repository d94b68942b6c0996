#include "DesignCommands.h"

#include "DesignGallery.h"
#include "ErrorText.h"
#include "GenerateCommand.h"
#include "PathBytes.h"
#include "ProjectFileWriter.h"

#include <QTextStream>

#include <cerrno>
#include <sys/stat.h>

namespace {
// What is at the name, a link itself and never what it points to; 0 for nothing.
mode_t typeAt(const QString& path)
{
    struct stat info = {};
    return ::lstat(PathBytes::encode(path).constData(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}
} // namespace

int DesignCommands::list(QTextStream& out)
{
    for (const DesignGallery::Design& design : DesignGallery::designs())
        out << design.name << '\t' << design.description << '\n';
    out.flush();
    return GenerateCommand::Success;
}

int DesignCommands::newProject(const QString& design, const QString& path,
                               const QStringList& captions, bool force, QTextStream& out,
                               QTextStream& err)
{
    const std::optional<ButtonProject> project =
        DesignGallery::newProject(design, captions, outputFolder);
    if (!project) {
        err << "Unknown design '" << design << "'. Try 'brindlewick-cli designs'." << Qt::endl;
        return GenerateCommand::Failed;
    }
    // The wizard never makes an empty caption either; an empty shell variable is the likely cause.
    if (captions.contains(QString())) {
        err << "A caption cannot be empty." << Qt::endl;
        return GenerateCommand::Failed;
    }
    const mode_t there = typeAt(path);
    if (!force && there != 0) {
        err << path << " already exists; add --force to replace it." << Qt::endl;
        return GenerateCommand::Failed;
    }
    // --force replaces a file or a link, never a folder.
    Failure failure =
        there == S_IFDIR
            ? Failure(Failure::Code::Create, path, EISDIR).because(FailureReason::IsFolder)
            : ProjectFileWriter::saveProjectFile(*project, path);
    if (failure) {
        if (failure.path().isEmpty() || !ErrorText::showsWholePath(failure))
            err << path << ": ";
        err << ErrorText::message(failure) << Qt::endl;
        return GenerateCommand::Failed;
    }
    const qsizetype captionCount = project->captions.size();
    out << "Wrote " << path << " from the design '" << DesignGallery::find(design)->name
        << "' with " << captionCount << (captionCount == 1 ? " caption" : " captions") << Qt::endl;
    return GenerateCommand::Success;
}
