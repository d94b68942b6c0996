#pragma once

#include "PlatformServices.h"

#include <QUrl>

class QWidget;

// The platform services by Qt's own widgets, parented to the main window.
class QtPlatformServices : public PlatformServices
{
public:
    // windowTitle is the caption of every message box.
    explicit QtPlatformServices(QWidget* parent = nullptr, const QString& windowTitle = QString())
        : m_parent(parent), m_title(windowTitle)
    {
    }

    void setParent(QWidget* parent) { m_parent = parent; }

    void showMessage(const QString& text) override;
    void showError(const QString& text) override;
    void showErrorWithDetails(const QString& text, const QString& details) override;
    bool confirm(const QString& title, const QString& text) override;
    SaveChoice askSaveChanges(const QString& title, const QString& text) override;
    std::optional<QString> inputText(const QString& title, const QString& prompt,
                                     const QString& initialText, int maxLength) override;
    QString openFileName(const FileDialogOptions& options) override;
    QString saveFileName(const FileDialogOptions& options) override;
    std::optional<ColorRef> chooseColor(ColorRef initial) override;
    std::optional<FontAttributes> chooseFont(const FontAttributes& initial) override;
    QString chooseDirectory(const QString& title, const QString& initialDirectory) override;
    void beep() override;
    void setClipboardText(const QString& text) override;
    QString openWithApplication(const QString& fileOrUrl, const QString& workingDirectory) override;

    // "Desc|*.a;*.b|Desc2|*.*" as Qt name filters, "Desc (*.a *.b);;Desc2 (*)". A pattern list
    // already shown in a description is dropped from it, since Qt shows the patterns itself;
    // extensions are offered in both letter cases, as file names here are case-sensitive.
    static QString toQtFilter(const QString& filter);
    // The URL for a file name or web address as openWithApplication takes it.
    static QUrl toUrl(const QString& fileOrUrl, const QString& workingDirectory);

private:
    QString runFileDialog(const FileDialogOptions& options, bool save);

    QWidget* m_parent;
    QString m_title;
};
