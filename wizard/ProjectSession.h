#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "CaptionEditor.h"
#include "Failure.h"
#include "GenerationJob.h"
#include "LivePreview.h"
#include "OptionSets.h"
#include "ProjectFileCommands.h"
#include "StateStyleEditor.h"

#include <QObject>

class PlatformServices;

// One project being edited, without any window: the project and its pictures, the option
// sets, the caption and style editors, the run and the preview. The wizard and the designer
// each own one and add their own way through it.
class ProjectSession : public QObject
{
    Q_OBJECT
public:
    explicit ProjectSession(PlatformServices& platform, QObject* parent = nullptr);
    ~ProjectSession() override;

    const ButtonProject& project() const { return m_project; }
    // The desktop's dialogs, for the windows that ask the user themselves.
    PlatformServices& platform() const { return m_platform; }
    const BackgroundPictures& pictures() const { return m_pictures; }
    const OptionSets& optionSets() const { return m_options; }
    CaptionEditor& captions() { return m_captions; }
    StateStyleEditor& styles() { return m_styles; }
    GenerationJob& generation() { return m_generation; }
    const GenerationJob& generation() const { return m_generation; }
    // The drawn buttons of every caption and state.
    LivePreview& preview() { return m_preview; }

    // OK of an option dialog: the set becomes current, then is stored when its
    // retainSettings is set and forgotten otherwise. False when the store could not be
    // written; its message was shown, and the set stays current all the same.
    bool confirmJpegOptions(const JpegFileOptions& options);
    bool confirmTextOffsetOptions(const TextOffsetOptions& options);

    // A plain choice of the project's, as its radio group or check box makes it. The same
    // value again is no change, so a dialog handing back all its fields redraws only for those
    // that moved.
    template <typename T> void set(T ButtonProject::*field, T value)
    {
        if (m_project.*field == value)
            return;
        m_project.*field = value;
        emit changed();
    }
    // The named design's looks, unsaved, keeping the captions and the output folder; false for
    // a name no design has. Whoever calls shows the project anew.
    bool takeDesign(const QString& name);
    // Takes the options beyond the classic output from a project edited elsewhere.
    void takeOptions(const ButtonProject& from);
    // The user's edit of the prefix, cut to its limit.
    void setFileNamePrefix(const QString& prefix);
    bool chooseOutputDirectory();

    // "Preview In Browser" on the Finished page: the sample page with its application.
    bool previewInBrowser();
    QString samplePagePath() const;
    // The folder the run writes into, and "Open Folder" on the Finished page.
    QString outputFolder() const;
    bool openOutputFolder();

signals:
    // Any change of the project, the option sets or the pictures.
    void changed();
    // A project file was read: every view shows the project anew.
    void projectReplaced();

protected:
    // A new project: no file, defaults, the output directory, the option sets (defaults, then
    // the stored ones).
    void resetProject();
    // Opens through the platform; a failure is shown with its reason.
    bool openWithApplication(const QString& fileOrUrl, const QString& workingDirectory = {});
    ProjectFileCommands& fileCommands() { return m_fileCommands; }
    ButtonProject& editedProject() { return m_project; }
    BackgroundPictures& editedPictures() { return m_pictures; }
    OptionSets& editedOptionSets() { return m_options; }

private:
    // True for no failure; else the failure to save the settings goes to stderr and the user.
    bool settingsSaved(const Failure& failure);

    PlatformServices& m_platform;
    ButtonProject m_project;
    OptionSets m_options;
    BackgroundPictures m_pictures;
    ProjectFileCommands m_fileCommands;
    CaptionEditor m_captions;
    StateStyleEditor m_styles;
    GenerationJob m_generation;
    LivePreview m_preview;
};
