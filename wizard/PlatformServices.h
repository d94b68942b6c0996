#pragma once

#include "ButtonStateStyle.h"
#include "ColorRef.h"
#include "ErrorText.h"
#include "SettingsStore.h"

#include <QCoreApplication>
#include <QDir>

#include <QString>

#include <optional>

// Every call the wizard makes to the desktop: dialogs, beep, clipboard and the shell.
// The wizard talks to the desktop only through this, so its commands can be tested with a
// scripted stand-in.
class PlatformServices
{
public:
    struct FileDialogOptions
    {
        QString title;
        // Entries in the form "Description|patterns|Description2|patterns2", patterns
        // separated by ";", as in "Button Layout Project (*.BLP)|*.blp|All Files (*.*)|*.*".
        QString filter;
        QString defaultExtension; // without the dot; added to a name typed without one
        QString initialDirectory; // empty: the platform's choice
        QString fileName;         // preselected file, may be a full path
        bool picturePreview = false;
    };

    // The font dialog reads and sets a state's font fields: fontName, fontSize, fontBold,
    // fontItalic, fontUnderline, fontStrikeOut and fontColor. The other fields pass through.
    using FontAttributes = ButtonStateStyle;

    virtual ~PlatformServices() = default;

    // A modal message box with one OK button; its caption is the application title.
    virtual void showMessage(const QString& text) = 0;
    // As showMessage, for the text of a failed operation.
    virtual void showError(const QString& text) = 0;
    // As showError, with details shown apart from the text, such as the file it concerns.
    virtual void showErrorWithDetails(const QString& text, const QString& details)
    {
        showError(details.isEmpty() ? text : text + QLatin1String("\n\n") + details);
    }
    // A failure in its words; where they do not name its file, the details do.
    void showFailure(const Failure& failure)
    {
        showErrorWithDetails(ErrorText::message(failure),
                             ErrorText::showsWholePath(failure) ? QString() : failure.path());
    }
    // A modal box with OK and Cancel; true for OK.
    virtual bool confirm(const QString& title, const QString& text) = 0;
    // The answers of a question about unsaved changes.
    enum class SaveChoice
    {
        Save,
        Discard,
        Cancel
    };
    // A modal box with Save, Discard and Cancel; closing it otherwise is Cancel.
    virtual SaveChoice askSaveChanges(const QString& title, const QString& text) = 0;
    // A one-line text input of at most maxLength characters; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& initialText, int maxLength) = 0;
    // The chosen path, or an empty string when cancelled. Neither dialog insists on an
    // existing file nor asks before replacing one: the callers do their own asking.
    virtual QString openFileName(const FileDialogOptions& options) = 0;
    virtual QString saveFileName(const FileDialogOptions& options) = 0;
    virtual std::optional<ColorRef> chooseColor(ColorRef initial) = 0;
    virtual std::optional<FontAttributes> chooseFont(const FontAttributes& initial) = 0;
    // A folder picker in which a folder name that does not exist yet can be typed; empty when
    // cancelled. The caller creates a new folder.
    virtual QString chooseDirectory(const QString& title, const QString& initialDirectory) = 0;
    virtual void beep() = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // Opens a file, or a web address such as "https://...", with the application registered
    // for it. A relative file name is taken from workingDirectory, or from the current folder
    // when that is empty. Returns at once: empty when the platform took it, else the reason it
    // could not.
    virtual QString openWithApplication(const QString& fileOrUrl,
                                        const QString& workingDirectory = QString()) = 0;
    // The folder for temporary files, ending in "/"; empty when there is none.
    virtual QString temporaryDirectory() { return QDir::tempPath() + QLatin1Char('/'); }
    // The file of the settings store that keeps the option sets between runs.
    virtual QString settingsFilePath() { return SettingsStore::userFilePath(); }
    // The folder of the program file, ending in "/".
    virtual QString programDirectory()
    {
        return QCoreApplication::applicationDirPath() + QLatin1Char('/');
    }
};
