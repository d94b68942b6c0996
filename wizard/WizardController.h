#pragma once

#include "PageFlow.h"
#include "ProjectSession.h"

#include <memory>

class CodeViewer;

// Everything the wizard does, without widgets: the project and its pictures, the page on
// screen, and the editors of the pages. The pages bind their controls to this and call it;
// every desktop call goes through the platform services.
class WizardController : public ProjectSession, public PageFlow
{
    Q_OBJECT
public:
    using OpenResult = ProjectFileCommands::OpenResult;

    explicit WizardController(PlatformServices& platform, QObject* parent = nullptr);
    ~WizardController() override;

    // The start-up steps: no project file, defaults, the output directory, the option sets
    // (defaults, then the stored ones), page 1 with firstPass set.
    void start();

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

    // "View Javascript + HTML Code": a viewer on the sample page, or null when the page
    // cannot be read (the error was shown).
    std::unique_ptr<CodeViewer> openCodeViewer();

    // What the Generate page says after its run was stopped, until the page is left or the
    // next run starts; empty otherwise.
    QString stoppedRunText() const;

signals:
    void pageChanged(int page);

private:
    OpenResult projectOpened(OpenResult result);
    void generationEnded();

    int m_page = Start;
    bool m_firstPass = true;
    bool m_runStopped = false;
};
