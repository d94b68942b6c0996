#pragma once

#include "ProjectSession.h"

#include <QSize>
#include <QStringList>

#include <optional>

// The designer window's logic, without widgets: one project edited on every side at once,
// without the wizard's pages. It knows whether the project has changed since it was opened or
// saved, asks before dropping such changes, and keeps a short list of recent project files in
// the settings store.
class DesignerController : public ProjectSession
{
    Q_OBJECT
public:
    using OpenResult = ProjectFileCommands::OpenResult;

    explicit DesignerController(PlatformServices& platform, QObject* parent = nullptr);

    // A new project, as the wizard starts with, and the recent files from the store.
    void start();
    // The wizard's project, its pictures and its option sets (stored or not), copied: its file
    // name comes along, unchanged, and a run writes what the wizard's would.
    void startFrom(const ButtonProject& project, const BackgroundPictures& pictures,
                   const OptionSets& options);

    bool isModified() const { return m_modified; }
    // The project file's name without its folder, or "Untitled".
    QString documentName() const;
    QStringList recentFiles() const { return m_recent; }

    // File menu. Each that would drop the project first asks about unsaved changes; false
    // when that was cancelled or nothing was read or written.
    bool newProject();
    // A new, unsaved project in a design's looks, keeping the captions; the caller has asked
    // about unsaved changes before showing the designs.
    bool newFromDesign(const QString& name);
    bool openProject();
    bool openProjectFile(const QString& fileName);
    bool saveProject();
    bool saveProjectAs();
    // "Save changes to …?" for a changed project: true when the project may go, saved or not.
    bool maySaveChanges();

    // Selected and Pressed take Normal's style, pictures included, once.
    void copyNormalStyle(ButtonState state);
    void setOutputDirectory(const QString& directory);
    // The states the JavaScript option draws.
    QList<ButtonState> usedStates() const { return project().drawnStates(); }

    // Checks what the wizard's pages check on their route, then starts the run.
    bool generate();
    // The line after a run: how many files went where, or how far a stopped run got.
    QString generationSummary() const;
    // The last run's folder and page, whatever the project has become since; the project's own
    // before any run.
    bool openSamplePage();
    bool openRunFolder();

    // The window's size as last closed; empty when none is stored.
    QSize storedWindowSize();
    void storeWindowSize(const QSize& size);

    static inline const QString untitled = QStringLiteral("Untitled");
    static constexpr int maxRecentFiles = 6;
    static QString saveChangesQuestion(const QString& documentName);
    static QString notAProjectFile(const QString& fileName);

signals:
    void modifiedChanged(bool modified);
    // The project's file name changed: opened, saved under another, or new.
    void fileNameChanged();
    void recentFilesChanged();

private:
    bool opened(const QString& fileName);
    void projectFileTaken(const QString& fileName);
    void setModified(bool modified);
    void remember(const QString& fileName);

    const ButtonProject& lastRun() const { return m_lastRun ? *m_lastRun : project(); }

    bool m_modified = false;
    std::optional<ButtonProject> m_lastRun;
    QStringList m_recent;
};
