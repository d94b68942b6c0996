#include "WizardController.h"

#include "CodeViewer.h"
#include "DesignGallery.h"
#include "ErrorText.h"
#include "OutputFolder.h"
#include "OutputNaming.h"
#include "PlatformServices.h"
#include "PredefinedBackground.h"
#include "ProjectKeys.h"
#include "RegularFile.h"
#include "SettingsStore.h"
#include "TextLimit.h"
#include "WizardTexts.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace {

constexpr int maxTemporaryDirectoryLength = 250;

} // namespace

WizardController::WizardController(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform), m_fileCommands(m_project, m_pictures, platform),
      m_captions(m_project.captions, platform), m_styles(m_project, m_pictures, platform),
      m_generation(platform), m_preview(m_project, m_pictures, m_options)
{
    // First, so that whoever redraws on a change finds the preview forgotten.
    connect(this, &WizardController::changed, this, [this] { m_preview.invalidate(); });
    connect(&m_captions, &CaptionEditor::changed, this, &WizardController::changed);
    connect(&m_styles, &StateStyleEditor::changed, this, &WizardController::changed);
    connect(&m_generation, &GenerationJob::finished, this, &WizardController::generationEnded);
}

WizardController::~WizardController() = default;

void WizardController::start()
{
    m_project = ButtonProject();
    m_project.projectFileName.clear();
    m_pictures = BackgroundPictures();
    m_styles.clearBackgroundSamples();
    m_captions.setSelectedRow(-1);

    m_project.outputDirectory = m_platform.programDirectory();
    const QString temporary = m_platform.temporaryDirectory();
    if (!temporary.isEmpty() && temporary.size() < maxTemporaryDirectoryLength)
        m_project.outputDirectory = temporary;

    for (const Failure& failure :
         SettingsStore(m_platform.settingsFilePath()).loadOptionSets(m_options))
        std::fprintf(stderr, "%s\n", qPrintable(ErrorText::settingsLine(failure)));
    emit projectReplaced();
    emit changed();
    showPage(Start);
    m_firstPass = true;
}

bool WizardController::confirmJpegOptions(const JpegFileOptions& options)
{
    m_options.jpeg = options;
    emit changed();
    SettingsStore store(m_platform.settingsFilePath());
    return settingsSaved(options.retainSettings ? store.saveJpegOptions(options)
                                                : store.forgetJpegOptions());
}

bool WizardController::confirmTextOffsetOptions(const TextOffsetOptions& options)
{
    m_options.text = options;
    emit changed();
    SettingsStore store(m_platform.settingsFilePath());
    return settingsSaved(options.retainSettings ? store.saveTextOffsetOptions(options)
                                                : store.forgetTextOffsetOptions());
}

bool WizardController::settingsSaved(const Failure& failure)
{
    if (!failure)
        return true;
    if (const QString line = ErrorText::settingsLine(failure); !line.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(line));
    m_platform.showError(ErrorText::message(failure));
    return false;
}

void WizardController::showPage(int page)
{
    if (page < 0 || page >= PageCount)
        return;
    m_page = page;
    m_runStopped = false;
    if (page == Start)
        m_firstPass = true;
    if (const std::optional<ButtonState> state = backgroundPageState(page))
        m_styles.refreshBackgroundSample(*state);
    emit pageChanged(page);
}

bool WizardController::next()
{
    if (m_generation.isRunning())
        return false;
    const bool missingFolder =
        m_page == OutputDirectory && OutputFolder::isMissing(m_project.outputDirectory);
    // A prefix that would be refused is told before any folder is made for it.
    QString message = missingFolder ? prefixCheckMessage(m_project) : QString();
    if (missingFolder && message.isEmpty() &&
        !OutputFolder::offerToCreate(
            OutputNaming::normalisedOutputDirectory(m_project.outputDirectory), m_platform))
        return false;
    if (message.isEmpty())
        message = pageCheckMessage(m_page, m_project);
    if (!message.isEmpty()) {
        m_platform.showMessage(message);
        return false;
    }
    const int left = m_page;
    if (left == Generate) {
        // The run stays on this page, with its progress and Stop, until it has ended.
        m_runStopped = false;
        m_generation.start(m_project, m_pictures, m_options);
        return true;
    }
    const int target = nextPage(left, m_project.javaScriptOption);
    if (target == left)
        return false;
    showPage(target);
    if (m_firstPass && copyFirstPassChoices(left, m_project)) {
        if (left == NormalButton) {
            m_styles.reloadPredefined(ButtonState::Selected);
            m_styles.reloadPredefined(ButtonState::Pressed);
        }
        if (left == NormalButtonPickFont)
            m_firstPass = false;
        emit changed();
    }
    return true;
}

void WizardController::generationEnded()
{
    if (m_page != Generate)
        return;
    if (!m_generation.lastResult().stopped) {
        showPage(Finished);
        return;
    }
    m_runStopped = true;
    emit changed();
}

QString WizardController::stoppedRunText() const
{
    if (!m_runStopped)
        return QString();
    const GenerationResult& result = m_generation.lastResult();
    // A stopped run writes its images only: the page and the copy follow the last image.
    return WizardTexts::generationStoppedMessage(result.imagesWritten, result.imagesPlanned) +
           u'\n' + WizardTexts::nothingElseWritten;
}

void WizardController::previous()
{
    if (m_generation.isRunning())
        return;
    showPage(previousPage(m_page, m_project.javaScriptOption));
}

bool WizardController::showHelp()
{
    if (const Failure refused =
            RegularFile::check(QDir::current().filePath(WizardTexts::helpFileName))) {
        m_platform.showError(ErrorText::message(refused));
        return false;
    }
    // Named bare, so the platform takes it from the current folder.
    if (QFileInfo(QDir::current(), WizardTexts::helpFileName).isFile())
        return openWithApplication(WizardTexts::helpFileName);
    return showProgramHelp();
}

bool WizardController::showProgramHelp()
{
    const QString path = installedHelpPath();
    // A browser handed a FIFO would wait for it forever.
    if (const Failure refused = RegularFile::check(path)) {
        m_platform.showError(ErrorText::message(refused));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        // Opening a missing page shows nothing on most desktops: F1 would seem dead.
        m_platform.showError(ErrorText::message(
            Failure(Failure::Code::Open, QDir::toNativeSeparators(path), ENOENT)));
        return false;
    }
    return openWithApplication(path);
}

bool WizardController::showWebPage()
{
    return openWithApplication(WizardTexts::webPageAddress());
}

bool WizardController::openWithApplication(const QString& fileOrUrl,
                                           const QString& workingDirectory)
{
    const QString failure = m_platform.openWithApplication(fileOrUrl, workingDirectory);
    if (failure.isEmpty())
        return true;
    m_platform.showError(WizardTexts::cannotOpen(
        workingDirectory.isEmpty() ? fileOrUrl : QDir(workingDirectory).filePath(fileOrUrl),
        failure));
    return false;
}

QString WizardController::installedHelpPath() const
{
    // The install rules set the folder; the build tree mirrors it beside bin/.
    return QDir::cleanPath(m_platform.programDirectory() +
                           QStringLiteral(BRINDLEWICK_HELP_FROM_BIN "/") +
                           WizardTexts::helpFileName);
}

bool WizardController::chooseOutputDirectory()
{
    const QString initial = OutputNaming::normalisedOutputDirectory(m_project.outputDirectory);
    const QString chosen =
        m_platform.chooseDirectory(WizardTexts::outputDirectoryDialogTitle, initial);
    if (chosen.isEmpty() || !OutputFolder::offerToCreate(chosen, m_platform))
        return false;
    m_project.outputDirectory = chosen;
    emit changed();
    return true;
}

void WizardController::takeOptions(const ButtonProject& from)
{
    bool changed = false;
    for (const ProjectKeys::Option& option : ProjectKeys::optional()) {
        if (!option.key.sameIn(from, m_project)) {
            option.key.copy(from, m_project);
            changed = true;
        }
    }
    if (changed)
        emit this->changed();
}

void WizardController::setFileNamePrefix(const QString& prefix)
{
    m_project.fileNamePrefix =
        TextLimit::edited(m_project.fileNamePrefix, prefix, WizardTexts::maxPrefixLength);
    emit changed();
}

WizardController::OpenResult WizardController::openProject()
{
    return projectOpened(m_fileCommands.open());
}

WizardController::OpenResult WizardController::openProjectFile(const QString& fileName)
{
    return projectOpened(m_fileCommands.openFile(fileName));
}

WizardController::OpenResult WizardController::projectOpened(OpenResult result)
{
    if (result == OpenResult::Cancelled)
        return result;
    if (result == OpenResult::Read)
        m_firstPass = false;
    m_captions.setSelectedRow(-1);
    // The page on screen shows the file's values, its sample included.
    if (const std::optional<ButtonState> state = backgroundPageState(m_page))
        m_styles.refreshBackgroundSample(*state);
    emit projectReplaced();
    emit changed();
    return result;
}

bool WizardController::newFromDesign(const QString& name)
{
    std::optional<ButtonProject> project =
        DesignGallery::newProject(name, m_project.captions, m_project.outputDirectory);
    if (!project)
        return false;
    m_project = *std::move(project);
    // The designs name no own pictures: none of the old project's may stay behind.
    m_pictures = BackgroundPictures();
    PredefinedBackground::reloadPictures(m_project, m_pictures);
    projectOpened(OpenResult::Read);
    return true;
}

bool WizardController::saveProject()
{
    return m_fileCommands.save();
}

bool WizardController::saveProjectAs()
{
    return m_fileCommands.saveAs();
}

bool WizardController::previewInBrowser()
{
    return openWithApplication(OutputNaming::samplePageFileName(m_project),
                               OutputNaming::normalisedOutputDirectory(m_project.outputDirectory));
}

QString WizardController::outputFolder() const
{
    return OutputFolder::absolutePath(m_project.outputDirectory);
}

bool WizardController::openOutputFolder()
{
    return openWithApplication(outputFolder());
}

QString WizardController::samplePagePath() const
{
    return OutputNaming::samplePagePath(m_project);
}

std::unique_ptr<CodeViewer> WizardController::openCodeViewer()
{
    auto viewer = std::make_unique<CodeViewer>(m_platform);
    Failure failure = viewer->load(samplePagePath());
    if (!failure && m_project.cssRollovers)
        failure = viewer->append(OutputNaming::styleSheetPath(m_project));
    if (failure) {
        m_platform.showError(ErrorText::message(failure));
        return nullptr;
    }
    return viewer;
}
