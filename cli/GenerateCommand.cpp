#include "GenerateCommand.h"

#include "ErrorText.h"
#include "GenerationRun.h"
#include "OutputNaming.h"
#include "OwnImageLoader.h"
#include "PredefinedBackground.h"
#include "ProjectFileReader.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

namespace {

// std::filesystem::create_directories made the folders before, and refused more at once.
constexpr qsizetype maxFoldersMade = 1000;

bool isFolder(const QByteArray& path)
{
    struct stat status;
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

// The folder and its missing parents, failing as std::filesystem::create_directories did, so
// that the message keeps its reason: ENOTDIR where a file stands in the way, else the errno of
// the first folder that could not be made.
Failure makeFolders(const QString& folder)
{
    const auto failed = [&folder](int error) {
        return Failure(Failure::Code::Create, folder, error)
            .because(FailureReason::FolderNotCreated);
    };
    const QByteArray path = QFile::encodeName(folder);
    struct stat status;
    if (::stat(path.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? Failure() : failed(ENOTDIR);
    if (errno != ENOENT && errno != ENOTDIR)
        return failed(errno);
    QList<QByteArray> folders; // from the root down
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if ((end == path.size() || path.at(end) == '/') && path.at(end - 1) != '/')
            folders.append(path.left(end));
    }
    const auto missing = std::find_if(folders.begin(), folders.end(), [&](const QByteArray& f) {
        return ::stat(f.constData(), &status) != 0;
    });
    const auto toMake = std::count_if(missing, folders.end(), [](const QByteArray& f) {
        return !f.endsWith("/.") && !f.endsWith("/..");
    });
    if (toMake > maxFoldersMade)
        return failed(ENAMETOOLONG);
    for (auto at = missing; at != folders.end(); ++at) {
        if (::mkdir(at->constData(), 0777) == 0)
            continue;
        const int error = errno;
        if (error != EEXIST || !isFolder(*at))
            return failed(error);
    }
    return Failure();
}

// A relative folder is taken from the current one, so that whoever opens the copy later, from
// wherever, finds the files it names. Every name is checked before the folder is made.
bool prepareOutputDirectory(ButtonProject& project, QTextStream& err)
{
    if (QDir::isRelativePath(project.outputDirectory))
        project.outputDirectory =
            QDir::cleanPath(QDir::current().absoluteFilePath(project.outputDirectory));
    Failure failure =
        OutputNaming::tooLongNameError(project, OutputNaming::maxFileNameBytes(project));
    if (!failure)
        failure = makeFolders(project.outputDirectory);
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
    if (const Failure failure = reader.loadProjectFile()) {
        err << m_projectPath << ": " << ErrorText::message(failure) << Qt::endl;
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
