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

#include <filesystem>

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
    const QString prefixError = OutputNaming::prefixError(project.fileNamePrefix);
    if (!prefixError.isEmpty()) {
        err << m_projectPath << ": " << prefixError << Qt::endl;
        return Failed;
    }
    PredefinedBackground::reloadPictures(project, pictures);
    if (m_replaceOutputDirectory)
        project.outputDirectory = m_outputDirectory;
    for (const QString& line : m_settingLines)
        reader.applyProjectLine(line); // checked by the command line
    // Whoever opens the copy later, from wherever, finds the files it names.
    if (QDir::isRelativePath(project.outputDirectory))
        project.outputDirectory =
            QDir::cleanPath(QDir::current().absoluteFilePath(project.outputDirectory));

    const QString tooLong =
        OutputNaming::tooLongNameError(project, OutputNaming::maxFileNameBytes(project));
    if (!tooLong.isEmpty()) {
        err << tooLong << Qt::endl;
        return Failed;
    }
    std::error_code error;
    std::filesystem::create_directories(QFile::encodeName(project.outputDirectory).toStdString(),
                                        error);
    if (error) {
        err << "Cannot create folder \"" << project.outputDirectory << "\". "
            << QString::fromStdString(error.message()) << Qt::endl;
        return Failed;
    }

    ButtonSizeTables sizes;
    GenerationRun run(project, pictures, options, sizes);
    // Reported as they come: a run may drop more images than its result lists.
    run.setDropCallback([&err](const DroppedImage& dropped) {
        err << dropped.pathStem << ": " << dropped.reason << Qt::endl;
    });
    const GenerationResult result = run.run();
    if (!result.fatalError.isEmpty()) {
        // The project writer's texts do not name the file.
        const QString path = result.pageWritten ? result.projectCopyPath : result.pagePath;
        if (!result.fatalError.contains(path))
            err << path << ": ";
        err << result.fatalError << Qt::endl;
        return Failed;
    }
    const int images = result.imagesWritten + result.droppedImageCount;
    out << "Wrote " << result.imagesWritten << " of " << images << " images ("
        << result.filesWritten << " files), " << result.pagePath << " and "
        << result.projectCopyPath << Qt::endl;
    return result.droppedImageCount == 0 ? Success : ImagesDropped;
}
