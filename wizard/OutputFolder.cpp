#include "OutputFolder.h"

#include "ErrorText.h"
#include "FolderMaker.h"
#include "OutputNaming.h"
#include "PlatformServices.h"
#include "WizardTexts.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

bool OutputFolder::offerToCreate(const QString& directory, PlatformServices& platform)
{
    if (QFileInfo(directory).isDir())
        return true;
    if (!platform.confirm(WizardTexts::confirmTitle, WizardTexts::createDirectoryQuestion))
        return false;
    Failure failure = FolderMaker::make(directory);
    if (failure || !QFileInfo(directory).isDir()) {
        if (!failure) // something in the way that gives no error of its own
            failure = Failure(Failure::Code::Create, directory, EEXIST);
        platform.showError(
            WizardTexts::createDirectoryFailed(directory, ErrorText::ioText(failure)));
        return false;
    }
    return true;
}

bool OutputFolder::isMissing(const QString& outputDirectory)
{
    return !outputDirectory.isEmpty() &&
           !QFileInfo::exists(
               QDir::cleanPath(OutputNaming::normalisedOutputDirectory(outputDirectory)));
}

QString OutputFolder::absolutePath(const QString& outputDirectory)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(
        OutputNaming::normalisedOutputDirectory(outputDirectory))));
}
