#include "WizardController.h"

#include "CodeViewer.h"
#include "ErrorText.h"
#include "OutputFolder.h"
#include "OutputNaming.h"
#include "PlatformServices.h"
#include "RegularFile.h"
#include "WizardTexts.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

WizardController::WizardController(PlatformServices& platform, QObject* parent)
    : ProjectSession(platform, parent)
{
    connect(&generation(), &GenerationJob::finished, this, &WizardController::generationEnded);
}

WizardController::~WizardController() = default;

void WizardController::start()
{
    resetProject();
    emit projectReplaced();
    emit changed();
    showPage(Start);
    m_firstPass = true;
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
        styles().refreshBackgroundSample(*state);
    emit pageChanged(page);
}

bool WizardController::next()
{
    if (generation().isRunning())
        return false;
    const bool missingFolder =
        m_page == OutputDirectory && OutputFolder::isMissing(project().outputDirectory);
    // A prefix that would be refused is told before any folder is made for it.
    QString message = missingFolder ? prefixCheckMessage(project()) : QString();
    if (missingFolder && message.isEmpty() &&
        !OutputFolder::offerToCreate(
            OutputNaming::normalisedOutputDirectory(project().outputDirectory), platform()))
        return false;
    if (message.isEmpty())
        message = pageCheckMessage(m_page, project());
    if (!message.isEmpty()) {
        platform().showMessage(message);
        return false;
    }
    const int left = m_page;
    if (left == Generate) {
        // The run stays on this page, with its progress and Stop, until it has ended.
        m_runStopped = false;
        generation().start(project(), pictures(), optionSets());
        return true;
    }
    const int target = nextPage(left, project().javaScriptOption);
    if (target == left)
        return false;
    showPage(target);
    if (m_firstPass && copyFirstPassChoices(left, editedProject())) {
        if (left == NormalButton) {
            styles().reloadPredefined(ButtonState::Selected);
            styles().reloadPredefined(ButtonState::Pressed);
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
    if (!generation().lastResult().stopped) {
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
    const GenerationResult& result = generation().lastResult();
    // A stopped run writes its images only: the page and the copy follow the last image.
    return WizardTexts::generationStoppedMessage(result.imagesWritten, result.imagesPlanned) +
           u'\n' + WizardTexts::nothingElseWritten;
}

void WizardController::previous()
{
    if (generation().isRunning())
        return;
    showPage(previousPage(m_page, project().javaScriptOption));
}

bool WizardController::showHelp()
{
    if (const Failure refused =
            RegularFile::check(QDir::current().filePath(WizardTexts::helpFileName))) {
        platform().showError(ErrorText::message(refused));
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
        platform().showError(ErrorText::message(refused));
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        // Opening a missing page shows nothing on most desktops: F1 would seem dead.
        platform().showError(ErrorText::message(
            Failure(Failure::Code::Open, QDir::toNativeSeparators(path), ENOENT)));
        return false;
    }
    return openWithApplication(path);
}

bool WizardController::showWebPage()
{
    return openWithApplication(WizardTexts::webPageAddress());
}

QString WizardController::installedHelpPath() const
{
    // The install rules set the folder; the build tree mirrors it beside bin/.
    return QDir::cleanPath(platform().programDirectory() +
                           QStringLiteral(BRINDLEWICK_HELP_FROM_BIN "/") +
                           WizardTexts::helpFileName);
}

WizardController::OpenResult WizardController::openProject()
{
    return projectOpened(fileCommands().open());
}

WizardController::OpenResult WizardController::openProjectFile(const QString& fileName)
{
    return projectOpened(fileCommands().openFile(fileName));
}

WizardController::OpenResult WizardController::projectOpened(OpenResult result)
{
    if (result == OpenResult::Cancelled)
        return result;
    if (result == OpenResult::Read)
        m_firstPass = false;
    captions().setSelectedRow(-1);
    // The page on screen shows the file's values, its sample included.
    if (const std::optional<ButtonState> state = backgroundPageState(m_page))
        styles().refreshBackgroundSample(*state);
    emit projectReplaced();
    emit changed();
    return result;
}

bool WizardController::newFromDesign(const QString& name)
{
    if (!takeDesign(name))
        return false;
    projectOpened(OpenResult::Read);
    return true;
}

bool WizardController::saveProject()
{
    return fileCommands().save();
}

bool WizardController::saveProjectAs()
{
    return fileCommands().saveAs();
}

std::unique_ptr<CodeViewer> WizardController::openCodeViewer()
{
    auto viewer = std::make_unique<CodeViewer>(platform());
    Failure failure = viewer->load(samplePagePath());
    if (!failure && project().cssRollovers)
        failure = viewer->append(OutputNaming::styleSheetPath(project()));
    if (failure) {
        platform().showError(ErrorText::message(failure));
        return nullptr;
    }
    return viewer;
}
