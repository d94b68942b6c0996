#include "ProjectFileCommands.h"

#include "BackgroundPictures.h"
#include "ErrorText.h"
#include "OwnImageLoader.h"
#include "PlatformServices.h"
#include "PredefinedBackground.h"
#include "ProjectFileReader.h"
#include "ProjectFileWriter.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
constexpr ButtonState allStates[] = {ButtonState::Normal, ButtonState::Selected,
                                     ButtonState::Pressed};
}

ProjectFileCommands::ProjectFileCommands(ButtonProject& project, BackgroundPictures& pictures,
                                         PlatformServices& platform)
    : m_project(project), m_pictures(pictures), m_platform(platform)
{
}

QString ProjectFileCommands::savedMessage(const QString& fileName)
{
    return QStringLiteral("Button Layout Project File\n\n") + fileName +
           QStringLiteral("\n\nSaved.");
}

ProjectFileCommands::OpenResult ProjectFileCommands::open()
{
    const QString chosen = chooseFileToOpen();
    return chosen.isEmpty() ? OpenResult::Cancelled : openFile(chosen);
}

QString ProjectFileCommands::chooseFileToOpen()
{
    PlatformServices::FileDialogOptions options;
    options.title = openTitle;
    options.filter = filter;
    options.defaultExtension = defaultExtension;
    options.initialDirectory = m_openDirectory;
    const QString chosen = m_platform.openFileName(options);
    if (!chosen.isEmpty())
        m_openDirectory = QCoreApplication::applicationDirPath();
    return chosen;
}

ProjectFileCommands::OpenResult ProjectFileCommands::openFile(const QString& fileName)
{
    m_project.projectFileName = fileName;

    QString oldImageNames[3];
    for (ButtonState state : allStates)
        oldImageNames[int(state) - 1] = m_project.style(state).imageFileName;

    ProjectFileReader reader(m_project, [this](ButtonState state, const QString& path) {
        return OwnImageLoader::loadInto(m_pictures, state, path);
    });
    const Failure failure = reader.loadProjectFile();
    m_lastFileWasProject = reader.namedProjectKey() && failure.path() != fileName;

    PredefinedBackground::reloadPictures(m_project, m_pictures);
    // A file that names no own image for a state must not leave the previous project's
    // picture behind it.
    for (ButtonState state : allStates) {
        const ButtonStateStyle& style = m_project.style(state);
        if (style.imageFileName != oldImageNames[int(state) - 1] && !style.namesOwnImage())
            m_pictures.setOwnImage(state, QImage());
    }
    if (failure) {
        // A picture's failure names its file; the project's has always been the words alone.
        if (failure.path() == fileName)
            m_platform.showError(ErrorText::message(failure));
        else
            m_platform.showFailure(failure);
        return OpenResult::ReadWithError;
    }
    return OpenResult::Read;
}

bool ProjectFileCommands::save()
{
    if (m_project.projectFileName.isEmpty())
        return saveAs();
    return write(true, true);
}

bool ProjectFileCommands::saveAs()
{
    PlatformServices::FileDialogOptions options;
    options.title = saveAsTitle;
    options.filter = filter;
    options.defaultExtension = defaultExtension;
    options.fileName = m_project.projectFileName;
    const QString chosen = m_platform.saveFileName(options);
    if (chosen.isEmpty())
        return false;
    // A link at the chosen name, dangling or not, is a name taken; it is replaced, never
    // followed to wherever it points.
    const QFileInfo target(chosen);
    const bool taken = target.exists() || target.isSymLink();
    if (taken && !m_platform.confirm(QStringLiteral("Confirm"),
                                     QStringLiteral("Replace Existing File?\n\n") + chosen))
        return false;
    m_project.projectFileName = chosen;
    return write(taken, false);
}

bool ProjectFileCommands::write(bool reportSaved, bool followLinks)
{
    if (const Failure failure = followLinks ? ProjectFileWriter::saveProjectFile(m_project)
                                            : ProjectFileWriter::saveProjectFile(
                                                  m_project, m_project.projectFileName)) {
        m_platform.showError(ErrorText::message(failure));
        return false;
    }
    if (reportSaved)
        m_platform.showMessage(savedMessage(m_project.projectFileName));
    return true;
}
