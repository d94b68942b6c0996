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
#include "RunBudget.h"
#include "SettingsStore.h"

#include <QDir>
#include <QTextStream>

#include <array>
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
// wherever, finds the files it names.
void makeOutputDirectoryAbsolute(ButtonProject& project)
{
    if (QDir::isRelativePath(project.outputDirectory))
        project.outputDirectory = PathBytes::absolute(project.outputDirectory);
}

// Every name is checked before the folder is made.
bool prepareOutputDirectory(const ButtonProject& project, QTextStream& err)
{
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
    run.setNamesChecked(); // by prepareOutputDirectory, before the folder was made
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
    project.projectFileName = m_projectPath;
    // Only the pictures' headers are read with the project: what the run would take is judged
    // before any picture is decoded.
    std::array<PictureHeader, 3> headers;
    ProjectFileReader reader(project, [&headers](ButtonState state, const QString& path) {
        return OwnImageLoader::readHeader(path, &headers[int(state) - 1]);
    });
    if (s_inputClosed && namesStandardInput(m_projectPath)) {
        err << m_projectPath << ": standard input is closed; there is no project to read"
            << Qt::endl;
        return Failed;
    }
    const auto refuse = [&](const Failure& failure) {
        // A picture's own words may not name it; a sentence that names the project itself
        // needs no name in front.
        if (failure.path() != m_projectPath)
            err << m_projectPath << ": " << ErrorText::messageWithPath(failure);
        else if (ErrorText::showsWholePath(failure))
            err << ErrorText::message(failure);
        else
            err << m_projectPath << ": " << ErrorText::message(failure);
        err << Qt::endl;
        return Failed;
    };
    if (const Failure failure = reader.loadProjectFile())
        return refuse(failure);
    if (!reader.namedProjectKey()) {
        err << m_projectPath << " is not a project file" << Qt::endl;
        return Failed;
    }
    if (m_replaceOutputDirectory)
        project.outputDirectory = m_outputDirectory;
    for (const QString& line : m_settingLines)
        reader.applyProjectLine(line); // checked by the command line
    makeOutputDirectoryAbsolute(project);
    if (const Failure refused = RunBudget(project, headers).check())
        return refuse(refused);
    BackgroundPictures pictures;
    for (const ButtonState state :
         {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed}) {
        const ButtonStateStyle& style = project.style(state);
        if (!style.namesOwnImage())
            continue;
        if (const Failure failure = OwnImageLoader::loadInto(pictures, state, style.imageFileName))
            return refuse(failure);
    }
    if (const Failure refused = OutputNaming::prefixError(project.fileNamePrefix))
        return refuse(refused);
    PredefinedBackground::reloadPictures(project, pictures);
    if (!prepareOutputDirectory(project, err))
        return Failed;
    return generate(project, pictures, options, out, err);
}
