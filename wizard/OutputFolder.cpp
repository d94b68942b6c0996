#include "OutputFolder.h"

#include "ErrorText.h"
#include "OutputNaming.h"
#include "PlatformServices.h"
#include "WizardTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>

bool OutputFolder::offerToCreate(const QString& directory, PlatformServices& platform)
{
    if (QFileInfo(directory).isDir())
        return true;
    if (!platform.confirm(WizardTexts::confirmTitle, WizardTexts::createDirectoryQuestion))
        return false;
    std::error_code error;
    std::filesystem::create_directories(
        std::filesystem::path(QFile::encodeName(directory).toStdString()), error);
    if (error || !QFileInfo(directory).isDir()) {
        // A file in the way gives no error code of its own.
        const int code = error ? error.value() : EEXIST;
        platform.showError(WizardTexts::createDirectoryFailed(
            directory, ErrorText::ioText(Failure(Failure::Code::Create, directory, code))));
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
