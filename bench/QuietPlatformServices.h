#pragma once

#include "PlatformServices.h"

#include <utility>

// Platform services for benchmarks: the caption and font dialogs answer once with what was
// put in nextText and nextFont; every other dialog is cancelled and nothing is shown.
class QuietPlatformServices : public PlatformServices
{
public:
    std::optional<QString> nextText;
    std::optional<FontAttributes> nextFont;

    void showMessage(const QString&) override {}
    void showError(const QString&) override {}
    bool confirm(const QString&, const QString&) override { return false; }
    SaveChoice askSaveChanges(const QString&, const QString&) override
    {
        return SaveChoice::Cancel;
    }
    std::optional<QString> inputText(const QString&, const QString&, const QString&, int) override
    {
        return std::exchange(nextText, std::nullopt);
    }
    QString openFileName(const FileDialogOptions&) override { return QString(); }
    QString saveFileName(const FileDialogOptions&) override { return QString(); }
    std::optional<ColorRef> chooseColor(ColorRef) override { return std::nullopt; }
    std::optional<FontAttributes> chooseFont(const FontAttributes&) override
    {
        return std::exchange(nextFont, std::nullopt);
    }
    QString chooseDirectory(const QString&, const QString&) override { return QString(); }
    void beep() override {}
    void setClipboardText(const QString&) override {}
    QString openWithApplication(const QString&, const QString&) override { return {}; }
};
