#include "ProjectSession.h"

#include "DesignGallery.h"
#include "ErrorText.h"
#include "OutputFolder.h"
#include "OutputNaming.h"
#include "PlatformServices.h"
#include "PredefinedBackground.h"
#include "ProjectKeys.h"
#include "SettingsStore.h"
#include "TextLimit.h"
#include "WizardTexts.h"

#include <QDir>

#include <cstdio>

namespace {

constexpr int maxTemporaryDirectoryLength = 250;

} // namespace

ProjectSession::ProjectSession(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform), m_fileCommands(m_project, m_pictures, platform),
      m_captions(m_project.captions, platform), m_styles(m_project, m_pictures, platform),
      m_generation(platform), m_preview(m_project, m_pictures, m_options)
{
    // First, so that whoever redraws on a change finds the preview forgotten.
    connect(this, &ProjectSession::changed, this, [this] { m_preview.invalidate(); });
    connect(&m_captions, &CaptionEditor::changed, this, &ProjectSession::changed);
    connect(&m_styles, &StateStyleEditor::changed, this, &ProjectSession::changed);
}

ProjectSession::~ProjectSession() = default;

void ProjectSession::resetProject()
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
}

bool ProjectSession::takeDesign(const QString& name)
{
    std::optional<ButtonProject> project =
        DesignGallery::newProject(name, m_project.captions, m_project.outputDirectory);
    if (!project)
        return false;
    m_project = *std::move(project);
    // The designs name no own pictures: none of the old project's may stay behind.
    m_pictures = BackgroundPictures();
    PredefinedBackground::reloadPictures(m_project, m_pictures);
    return true;
}

bool ProjectSession::confirmJpegOptions(const JpegFileOptions& options)
{
    m_options.jpeg = options;
    emit changed();
    SettingsStore store(m_platform.settingsFilePath());
    return settingsSaved(options.retainSettings ? store.saveJpegOptions(options)
                                                : store.forgetJpegOptions());
}

bool ProjectSession::confirmTextOffsetOptions(const TextOffsetOptions& options)
{
    m_options.text = options;
    emit changed();
    SettingsStore store(m_platform.settingsFilePath());
    return settingsSaved(options.retainSettings ? store.saveTextOffsetOptions(options)
                                                : store.forgetTextOffsetOptions());
}

bool ProjectSession::settingsSaved(const Failure& failure)
{
    if (!failure)
        return true;
    if (const QString line = ErrorText::settingsLine(failure); !line.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(line));
    m_platform.showError(ErrorText::message(failure));
    return false;
}

bool ProjectSession::openWithApplication(const QString& fileOrUrl, const QString& workingDirectory)
{
    const QString failure = m_platform.openWithApplication(fileOrUrl, workingDirectory);
    if (failure.isEmpty())
        return true;
    m_platform.showError(WizardTexts::cannotOpen(
        workingDirectory.isEmpty() ? fileOrUrl : QDir(workingDirectory).filePath(fileOrUrl),
        failure));
    return false;
}

bool ProjectSession::chooseOutputDirectory()
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

void ProjectSession::takeOptions(const ButtonProject& from)
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

void ProjectSession::setFileNamePrefix(const QString& prefix)
{
    // A key past the limit, cut away again, changes nothing.
    set(&ButtonProject::fileNamePrefix,
        TextLimit::edited(m_project.fileNamePrefix, prefix, WizardTexts::maxPrefixLength));
}

bool ProjectSession::previewInBrowser()
{
    return openWithApplication(OutputNaming::samplePageFileName(m_project),
                               OutputNaming::normalisedOutputDirectory(m_project.outputDirectory));
}

QString ProjectSession::outputFolder() const
{
    return OutputFolder::absolutePath(m_project.outputDirectory);
}

bool ProjectSession::openOutputFolder()
{
    return openWithApplication(outputFolder());
}

QString ProjectSession::samplePagePath() const
{
    return OutputNaming::samplePagePath(m_project);
}
