#pragma once

#include "ButtonProject.h"

#include <QString>

class BackgroundPictures;
class PlatformServices;

// The File menu's Open, Save and Save As.
class ProjectFileCommands
{
public:
    ProjectFileCommands(ButtonProject& project, BackgroundPictures& pictures,
                        PlatformServices& platform);

    enum class OpenResult
    {
        Cancelled,
        Read,
        ReadWithError
    };

    // Asks for a file and reads it as openFile does.
    OpenResult open();
    // The open dialog alone: the chosen file, or empty when cancelled.
    QString chooseFileToOpen();
    // Reads the file into the project. After a failure the lines before the failing one stay
    // applied. Either way the state pictures follow what was read.
    OpenResult openFile(const QString& fileName);
    // Whether the last openFile read the file itself and found a project key in it.
    bool lastFileWasProject() const { return m_lastFileWasProject; }
    // Saves under the current name, or asks for one as Save As when there is none.
    bool save();
    bool saveAs();

    static inline const QString openTitle = QStringLiteral("Open Button Layout File");
    static inline const QString saveAsTitle =
        QStringLiteral("Button Layout Project File Save As...");
    static inline const QString filter =
        QStringLiteral("Button Layout Project (*.BLP)|*.blp|All Files (*.*)|*.*");
    static inline const QString defaultExtension = QStringLiteral("blp");

    static QString savedMessage(const QString& fileName);

private:
    bool write(bool reportSaved, bool followLinks);

    ButtonProject& m_project;
    BackgroundPictures& m_pictures;
    PlatformServices& m_platform;
    QString m_openDirectory; // empty: the platform's choice
    bool m_lastFileWasProject = false;
};
