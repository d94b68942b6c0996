#include "DesignerController.h"

#include "ErrorText.h"
#include "OutputFolder.h"
#include "OutputNaming.h"
#include "PageFlow.h"
#include "PathBytes.h"
#include "PlatformServices.h"
#include "SettingsStore.h"
#include "WizardTexts.h"

#include <QFileInfo>

#include <cstdio>

namespace {

void reportSettings(const Failure& failure)
{
    // The list and the size are conveniences: a store that cannot be written is no reason to
    // interrupt the user.
    if (failure)
        std::fprintf(stderr, "%s\n", qPrintable(ErrorText::settingsLine(failure)));
}

} // namespace

DesignerController::DesignerController(PlatformServices& platform, QObject* parent)
    : ProjectSession(platform, parent)
{
    connect(this, &ProjectSession::changed, this, [this] { setModified(true); });
}

void DesignerController::start()
{
    resetProject();
    const std::optional<QByteArray> stored =
        SettingsStore(platform().settingsFilePath()).loadValue(SettingsStore::recentFilesValueName);
    m_recent.clear();
    for (const QByteArray& line : stored.value_or(QByteArray()).split('\n')) {
        if (!line.isEmpty() && m_recent.size() < maxRecentFiles)
            m_recent.append(PathBytes::decode(line));
    }
    emit recentFilesChanged();
    projectFileTaken(QString());
}

void DesignerController::startFrom(const ButtonProject& project, const BackgroundPictures& pictures,
                                   const OptionSets& options)
{
    resetProject();
    editedProject() = project;
    editedPictures() = pictures;
    editedOptionSets() = options;
    projectFileTaken(project.projectFileName);
}

void DesignerController::projectFileTaken(const QString& fileName)
{
    captions().setSelectedRow(-1);
    emit projectReplaced();
    emit changed();
    setModified(false);
    emit fileNameChanged();
    if (!fileName.isEmpty())
        remember(fileName);
}

void DesignerController::setModified(bool modified)
{
    if (m_modified == modified)
        return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

QString DesignerController::documentName() const
{
    const QString& fileName = project().projectFileName;
    return fileName.isEmpty() ? untitled : QFileInfo(fileName).fileName();
}

QString DesignerController::saveChangesQuestion(const QString& documentName)
{
    return QStringLiteral("Save changes to %1?").arg(documentName);
}

bool DesignerController::maySaveChanges()
{
    if (!m_modified)
        return true;
    switch (platform().askSaveChanges(WizardTexts::applicationTitle(),
                                      saveChangesQuestion(documentName()))) {
    case PlatformServices::SaveChoice::Save:
        return saveProject();
    case PlatformServices::SaveChoice::Discard:
        return true;
    case PlatformServices::SaveChoice::Cancel:
        break;
    }
    return false;
}

bool DesignerController::newProject()
{
    if (!maySaveChanges())
        return false;
    resetProject();
    projectFileTaken(QString());
    return true;
}

bool DesignerController::newFromDesign(const QString& name)
{
    if (!takeDesign(name))
        return false;
    projectFileTaken(QString());
    return true;
}

bool DesignerController::openProject()
{
    if (!maySaveChanges())
        return false;
    const QString chosen = fileCommands().chooseFileToOpen();
    return !chosen.isEmpty() && opened(chosen);
}

bool DesignerController::openProjectFile(const QString& fileName)
{
    return maySaveChanges() && opened(fileName);
}

bool DesignerController::opened(const QString& fileName)
{
    // The project shown stays until the file has proved to be one: a later Save must never
    // write a project over a file that was something else, or over a folder.
    const ButtonProject before = project();
    const BackgroundPictures picturesBefore = pictures();
    const bool modifiedBefore = m_modified;
    // Read over the defaults, so that a key the file leaves out is the default, as when the
    // wizard starts with the file.
    resetProject();
    const OpenResult result = fileCommands().openFile(fileName);
    if (fileCommands().lastFileWasProject()) {
        // A picture that failed was named; the project is read and keeps its name.
        projectFileTaken(fileName);
        return result == OpenResult::Read;
    }
    if (result == OpenResult::Read)
        platform().showError(notAProjectFile(fileName));
    editedProject() = before;
    editedPictures() = picturesBefore;
    captions().setSelectedRow(-1);
    emit projectReplaced();
    emit changed();
    setModified(modifiedBefore);
    return false;
}

QString DesignerController::notAProjectFile(const QString& fileName)
{
    return QStringLiteral("%1 is not a project file").arg(fileName);
}

bool DesignerController::saveProject()
{
    const QString before = project().projectFileName;
    if (!fileCommands().save())
        return false;
    setModified(false);
    if (project().projectFileName != before)
        emit fileNameChanged();
    remember(project().projectFileName);
    return true;
}

bool DesignerController::saveProjectAs()
{
    const QString before = project().projectFileName;
    if (!fileCommands().saveAs()) {
        // The title still names the old file, and so must a later Save.
        editedProject().projectFileName = before;
        return false;
    }
    setModified(false);
    emit fileNameChanged();
    remember(project().projectFileName);
    return true;
}

void DesignerController::remember(const QString& fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    m_recent.removeAll(path);
    m_recent.prepend(path);
    while (m_recent.size() > maxRecentFiles)
        m_recent.removeLast();
    QByteArray bytes;
    for (const QString& recent : m_recent)
        bytes += PathBytes::encode(recent) + '\n';
    reportSettings(SettingsStore(platform().settingsFilePath())
                       .saveValue(SettingsStore::recentFilesValueName, bytes));
    emit recentFilesChanged();
}

QSize DesignerController::storedWindowSize()
{
    const QByteArray stored = SettingsStore(platform().settingsFilePath())
                                  .loadValue(SettingsStore::designerSizeValueName)
                                  .value_or(QByteArray());
    const QList<QByteArray> parts = stored.split('x');
    if (parts.size() != 2)
        return QSize();
    const QSize size(parts[0].toInt(), parts[1].toInt());
    return size.isValid() ? size : QSize();
}

void DesignerController::storeWindowSize(const QSize& size)
{
    reportSettings(
        SettingsStore(platform().settingsFilePath())
            .saveValue(SettingsStore::designerSizeValueName,
                       QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height())));
}

void DesignerController::copyNormalStyle(ButtonState state)
{
    if (state == ButtonState::Normal)
        return;
    editedProject().style(state) = project().normal;
    BackgroundPictures& pictures = editedPictures();
    pictures.setOwnImage(state, pictures.ownImage(ButtonState::Normal),
                         pictures.coverageFor(ButtonState::Normal, BackgroundKind::OwnImage),
                         pictures.ownSource(ButtonState::Normal));
    styles().reloadPredefined(state);
    emit changed();
}

void DesignerController::setOutputDirectory(const QString& directory)
{
    set(&ButtonProject::outputDirectory, directory);
}

bool DesignerController::generate()
{
    if (generation().isRunning())
        return false;
    const ButtonProject& p = project();
    // The pages' checks on the route the wizard takes, a missing folder offered as it is there.
    QString message;
    if (OutputFolder::isMissing(p.outputDirectory)) {
        message = PageFlow::prefixCheckMessage(p);
        if (message.isEmpty() &&
            !OutputFolder::offerToCreate(OutputNaming::normalisedOutputDirectory(p.outputDirectory),
                                         platform()))
            return false;
    }
    for (int page = PageFlow::LabelText; message.isEmpty() && page < PageFlow::Generate;) {
        message = PageFlow::pageCheckMessage(page, p);
        const int next = PageFlow::nextPage(page, p.javaScriptOption);
        page = next == page ? int(PageFlow::Generate) : next;
    }
    if (!message.isEmpty()) {
        platform().showMessage(message);
        return false;
    }
    generation().start(p, pictures(), optionSets());
    m_lastRun = p;
    return true;
}

QString DesignerController::generationSummary() const
{
    const GenerationResult& result = generation().lastResult();
    if (result.stopped)
        return WizardTexts::generationStoppedMessage(result.imagesWritten, result.imagesPlanned);
    return QStringLiteral("%1 files written to %2")
        .arg(result.filesWritten)
        .arg(OutputFolder::absolutePath(lastRun().outputDirectory));
}

bool DesignerController::openSamplePage()
{
    return openWithApplication(OutputNaming::samplePageFileName(lastRun()),
                               OutputNaming::normalisedOutputDirectory(lastRun().outputDirectory));
}

bool DesignerController::openRunFolder()
{
    return openWithApplication(OutputFolder::absolutePath(lastRun().outputDirectory));
}
