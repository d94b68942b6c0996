#pragma once

#include "ScriptedPlatformServices.h"
#include "WizardController.h"

#include <QTemporaryDir>

#include <memory>

// A started wizard on the scripted platform, whose temporary folder (and so the output
// directory) is a fresh folder of its own, as is its settings file's.
struct WizardFixture
{
    std::unique_ptr<QTemporaryDir> dir;
    ScriptedPlatformServices platform;
    std::unique_ptr<WizardController> wizard;

    bool reset()
    {
        wizard.reset();
        dir = std::make_unique<QTemporaryDir>();
        platform = ScriptedPlatformServices();
        platform.temporaryFolder = dir->path() + QLatin1Char('/');
        platform.settingsFile = path(QStringLiteral("config/brindlewick.ini"));
        wizard = std::make_unique<WizardController>(platform);
        wizard->start();
        return dir->isValid();
    }
    QString path(const QString& name) const { return dir->filePath(name); }
};
