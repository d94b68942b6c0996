#pragma once

#include "PlatformServices.h"

#include <QList>
#include <QStringList>

// Platform services that answer from scripts and record what was asked, for widget tests.
// Each answer list is consumed from the front; an exhausted list answers like a cancelled
// dialog (an empty name, Cancel, nullopt).
class ScriptedPlatformServices : public PlatformServices
{
public:
    struct Request
    {
        QString title;
        QString text; // prompt, or initial folder for chooseDirectory
        QString initial;
        int maxLength = 0;
    };

    // Scripted answers.
    QStringList openFileAnswers;
    QStringList saveFileAnswers;
    QStringList directoryAnswers;
    QList<bool> confirmAnswers;
    QList<SaveChoice> saveChoiceAnswers;
    QList<std::optional<QString>> inputAnswers;
    QList<std::optional<ColorRef>> colorAnswers;
    QList<std::optional<FontAttributes>> fontAnswers;
    QString openWithApplicationFailure; // the reason, empty for success
    QString temporaryFolder = QStringLiteral("/tmp/");
    QString programFolder = QStringLiteral("/opt/brindlewick/");
    // Empty: no settings store at all, so a test never reaches the user's own file.
    QString settingsFile;

    // What the code under test did.
    QStringList messages;
    QStringList errors;
    QStringList errorDetails; // beside each error, empty where it had none
    QList<Request> confirmations;
    QList<Request> saveQuestions;
    QList<Request> inputs;
    QList<Request> directoryRequests;
    QList<FileDialogOptions> openDialogs;
    QList<FileDialogOptions> saveDialogs;
    QList<ColorRef> colorRequests;
    QList<FontAttributes> fontRequests;
    int beeps = 0;
    QStringList clipboardTexts;
    QList<QPair<QString, QString>> openedWithApplication; // file or URL, working folder

    void showMessage(const QString& text) override { messages.append(text); }
    void showError(const QString& text) override
    {
        errors.append(text);
        errorDetails.append(QString());
    }
    void showErrorWithDetails(const QString& text, const QString& details) override
    {
        errors.append(text);
        errorDetails.append(details);
    }
    bool confirm(const QString& title, const QString& text) override
    {
        confirmations.append({title, text, QString()});
        return take(confirmAnswers, false);
    }
    SaveChoice askSaveChanges(const QString& title, const QString& text) override
    {
        saveQuestions.append({title, text, QString()});
        return take(saveChoiceAnswers, SaveChoice::Cancel);
    }
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initialText, int maxLength) override
    {
        inputs.append({title, prompt, initialText, maxLength});
        return take(inputAnswers, std::optional<QString>());
    }
    QString openFileName(const FileDialogOptions& options) override
    {
        openDialogs.append(options);
        return take(openFileAnswers, QString());
    }
    QString saveFileName(const FileDialogOptions& options) override
    {
        saveDialogs.append(options);
        return take(saveFileAnswers, QString());
    }
    std::optional<ColorRef> chooseColor(ColorRef initial) override
    {
        colorRequests.append(initial);
        return take(colorAnswers, std::optional<ColorRef>());
    }
    std::optional<FontAttributes> chooseFont(const FontAttributes& initial) override
    {
        fontRequests.append(initial);
        return take(fontAnswers, std::optional<FontAttributes>());
    }
    QString chooseDirectory(const QString& title, const QString& initialDirectory) override
    {
        directoryRequests.append({title, initialDirectory, QString()});
        return take(directoryAnswers, QString());
    }
    void beep() override { ++beeps; }
    void setClipboardText(const QString& text) override { clipboardTexts.append(text); }
    QString openWithApplication(const QString& fileOrUrl, const QString& workingDirectory) override
    {
        openedWithApplication.append({fileOrUrl, workingDirectory});
        return openWithApplicationFailure;
    }
    QString temporaryDirectory() override { return temporaryFolder; }
    QString programDirectory() override { return programFolder; }
    QString settingsFilePath() override { return settingsFile; }

private:
    template <typename T, typename A> static T take(QList<A>& answers, T cancelled)
    {
        return answers.isEmpty() ? cancelled : T(answers.takeFirst());
    }
};
