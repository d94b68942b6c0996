#include "GenerateCommand.h"

#include "ErrorText.h"
#include "FolderMaker.h"
#include "GenerationRun.h"
#include "OutputNameCheck.h"
#include "OutputNaming.h"
#include "OwnImageLoader.h"
#include "PathBytes.h"
#include "PredefinedBackground.h"
#include "ProjectFileReader.h"
#include "SettingsStore.h"

#include <QDir>
#include <QTextStream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool namesStandardInput(const QString& path)
{
    struct stat named = {};
    struct stat input = {};
    return ::stat(PathBytes::encode(path).constData(), &named) == 0 &&
           ::fstat(STDIN_FILENO, &input) == 0 && named.st_dev == input.st_dev &&
           named.st_ino == input.st_ino;
}

// A relative folder is taken from the current one, so that whoever opens the copy later, from
// wherever, finds the files it names. Every name is checked before the folder is made.
bool prepareOutputDirectory(ButtonProject& project, QTextStream& err)
{
    if (QDir::isRelativePath(project.outputDirectory))
        project.outputDirectory = PathBytes::absolute(project.outputDirectory);
    Failure failure = OutputNameCheck::refusal(project);
    if (!failure)
        failure =
            FolderMaker::make(project.outputDirectory).because(FailureReason::FolderNotCreated);
    if (failure)
        err << ErrorText::message(failure) << Qt::endl;
    return !failure;
}

GenerateCommand::ExitCode generate(const ButtonProject& project, const BackgroundPictures& pictures,
                                   const OptionSets& options, QTextStream& out, QTextStream& err)
{
    ButtonSizeTables sizes;
    GenerationRun run(project, pictures, options, sizes);
    // Reported as they come: a run may drop more images than its result lists.
    run.setDropCallback([&err](const DroppedImage& dropped) {
        err << dropped.pathStem << ": " << ErrorText::messageWithPath(dropped.reason) << Qt::endl;
    });
    const GenerationResult result = run.run();
    // The line of the image that found no room says it all.
    if (result.endedOnFullDisk)
        return GenerateCommand::ImagesDropped;
    if (result.fatalError) {
        // The project writer's words do not name its file: the path goes in front.
        const Failure& fatal = result.fatalError;
        if (fatal.path().isEmpty() || !ErrorText::showsWholePath(fatal))
            err << (result.pageWritten ? result.projectCopyPath : result.pagePath) << ": ";
        err << ErrorText::message(result.fatalError) << Qt::endl;
        return GenerateCommand::Failed;
    }
    const int images = result.imagesWritten + result.droppedImageCount;
    out << "Wrote " << result.imagesWritten << " of " << images << " images ("
        << result.filesWritten << " files), " << result.pagePath << " and "
        << result.projectCopyPath << Qt::endl;
    return result.droppedImageCount == 0 ? GenerateCommand::Success
                                         : GenerateCommand::ImagesDropped;
}

} // namespace

GenerateCommand::ExitCode GenerateCommand::execute(QTextStream& out, QTextStream& err)
{
    // The user's stored option sets, as the wizard loads them, so both write the same bytes.
    OptionSets options;
    for (const Failure& failure :
         SettingsStore(SettingsStore::userFilePath()).loadOptionSets(options))
        err << ErrorText::settingsLine(failure) << Qt::endl;

    ButtonProject project;
    BackgroundPictures pictures;
    project.projectFileName = m_projectPath;
    ProjectFileReader reader(project, [&pictures](ButtonState state, const QString& path) {
        return OwnImageLoader::loadInto(pictures, state, path);
    });
    if (s_inputClosed && namesStandardInput(m_projectPath)) {
        err << m_projectPath << ": standard input is closed; there is no project to read"
            << Qt::endl;
        return Failed;
    }
    if (const Failure failure = reader.loadProjectFile()) {
        // A sentence that names the project itself needs no name in front.
        if (failure.path() != m_projectPath || !ErrorText::showsWholePath(failure))
            err << m_projectPath << ": ";
        err << ErrorText::message(failure) << Qt::endl;
        return Failed;
    }
    if (!reader.namedProjectKey()) {
        err << m_projectPath << " is not a project file" << Qt::endl;
        return Failed;
    }
    if (const Failure refused = OutputNaming::prefixError(project.fileNamePrefix)) {
        err << m_projectPath << ": " << ErrorText::message(refused) << Qt::endl;
        return Failed;
    }
    PredefinedBackground::reloadPictures(project, pictures);
    if (m_replaceOutputDirectory)
        project.outputDirectory = m_outputDirectory;
    for (const QString& line : m_settingLines)
        reader.applyProjectLine(line); // checked by the command line
    if (!prepareOutputDirectory(project, err))
        return Failed;
    return generate(project, pictures, options, out, err);
}
