#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "CaptionEditor.h"
#include "Failure.h"
#include "GenerationJob.h"
#include "LivePreview.h"
#include "OptionSets.h"
#include "PageFlow.h"
#include "ProjectFileCommands.h"
#include "StateStyleEditor.h"

#include <QImage>
#include <QList>
#include <QObject>

#include <memory>

class CodeViewer;
class PlatformServices;

// Everything the wizard does, without widgets: the project and its pictures, the page on
// screen, and the editors of the pages. The pages bind their controls to this and call it;
// every desktop call goes through the platform services.
class WizardController : public QObject, public PageFlow
{
    Q_OBJECT
public:
    using OpenResult = ProjectFileCommands::OpenResult;

    explicit WizardController(PlatformServices& platform, QObject* parent = nullptr);
    ~WizardController() override;

    // The start-up steps: no project file, defaults, the output directory, the option sets
    // (defaults, then the stored ones), page 1 with firstPass set.
    void start();

    const ButtonProject& project() const { return m_project; }
    // The desktop's dialogs, for the windows that ask the user themselves.
    PlatformServices& platform() { return m_platform; }
    const BackgroundPictures& pictures() const { return m_pictures; }
    const OptionSets& optionSets() const { return m_options; }
    CaptionEditor& captions() { return m_captions; }
    StateStyleEditor& styles() { return m_styles; }
    GenerationJob& generation() { return m_generation; }
    const GenerationJob& generation() const { return m_generation; }

    // OK of an option dialog: the set becomes current, then is stored when its
    // retainSettings is set and forgotten otherwise. False when the store could not be
    // written; its message was shown, and the set stays current all the same.
    bool confirmJpegOptions(const JpegFileOptions& options);
    bool confirmTextOffsetOptions(const TextOffsetOptions& options);

    // Navigation.
    int currentPage() const { return m_page; }
    bool firstPass() const { return m_firstPass; }
    // Shows a page and runs its entry action; every page change goes through here.
    void showPage(int page);
    // Runs the current page's check, then moves on and does the page's extra work. False when
    // the check failed (its message was shown and nothing changed) or no page follows. On the
    // Generate page it starts the run, and the Finished page follows when the run has ended
    // unless it was stopped.
    bool next();
    void previous();

    // Help > Contents and F1: "brwk4.html" in the current folder, else the copy installed with
    // the program. When there is neither, says so; false then or when the platform refused.
    bool showHelp();
    // The copy installed with the program, as the About box's link opens it.
    bool showProgramHelp();
    // The About box's link: the program's web page.
    bool showWebPage();
    // Where the program's own copy of the help page lies.
    QString installedHelpPath() const;

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
    // Takes the options beyond the classic output from a project edited elsewhere.
    void takeOptions(const ButtonProject& from);
    // The user's edit of the prefix, cut to its limit.
    void setFileNamePrefix(const QString& prefix);
    bool chooseOutputDirectory();

    // File menu.
    OpenResult openProject();
    // A file named at start-up, read as File > Open reads the chosen one.
    OpenResult openProjectFile(const QString& fileName);
    bool saveProject();
    bool saveProjectAs();
    // File > New from Design: a new, unsaved project in the design's looks that keeps the
    // captions and output folder there are, taking the design's captions when there are none.
    // False for a design the gallery does not have; nothing changes then.
    bool newFromDesign(const QString& name);

    // "Preview In Browser" on the Finished page: the sample page with its application.
    bool previewInBrowser();
    QString samplePagePath() const;
    // The folder the run writes into, and "Open Folder" on the Finished page.
    QString outputFolder() const;
    bool openOutputFolder();
    // "View Javascript + HTML Code": a viewer on the sample page, or null when the page
    // cannot be read (the error was shown).
    std::unique_ptr<CodeViewer> openCodeViewer();

    // The live preview's rows and the note of the Generate page.
    LivePreview& preview() { return m_preview; }
    // What the Generate page says after its run was stopped, until the page is left or the
    // next run starts; empty otherwise.
    QString stoppedRunText() const;

signals:
    // Any change of the project, the option sets or the pictures.
    void changed();
    void pageChanged(int page);
    // A project file was read: every page shows the project anew.
    void projectReplaced();

private:
    OpenResult projectOpened(OpenResult result);
    // True for no failure; else the failure to save the settings goes to stderr and the user.
    bool settingsSaved(const Failure& failure);
    // Opens through the platform; a failure is shown with its reason.
    bool openWithApplication(const QString& fileOrUrl, const QString& workingDirectory = {});
    void generationEnded();

    PlatformServices& m_platform;
    ButtonProject m_project;
    OptionSets m_options;
    BackgroundPictures m_pictures;
    ProjectFileCommands m_fileCommands;
    CaptionEditor m_captions;
    StateStyleEditor m_styles;
    GenerationJob m_generation;
    int m_page = Start;
    bool m_firstPass = true;
    bool m_runStopped = false;
    LivePreview m_preview;
};
