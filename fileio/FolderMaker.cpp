#include "FolderMaker.h"

#include "PathBytes.h"

#include <QList>

#include <algorithm>
#include <cerrno>

#include <sys/stat.h>

namespace {

// The standard library made the folders before, and refused more at once.
constexpr qsizetype maxFoldersMade = 1000;

bool isFolder(const QByteArray& path)
{
    struct stat status;
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

Failure FolderMaker::make(const QString& folder)
{
    const auto failed = [&folder](int error) {
        return Failure(Failure::Code::Create, folder, error);
    };
    const QByteArray path = PathBytes::encode(folder);
    struct stat status;
    if (::stat(path.constData(), &status) == 0)
        return S_ISDIR(status.st_mode) ? Failure() : failed(ENOTDIR);
    if (errno != ENOENT && errno != ENOTDIR)
        return failed(errno);
    QList<QByteArray> folders; // from the root down
    for (qsizetype end = 1; end <= path.size(); ++end) {
        if ((end == path.size() || path.at(end) == '/') && path.at(end - 1) != '/')
            folders.append(path.left(end));
    }
    const auto missing = std::find_if(folders.begin(), folders.end(), [&](const QByteArray& f) {
        return ::stat(f.constData(), &status) != 0;
    });
    const auto toMake = std::count_if(missing, folders.end(), [](const QByteArray& f) {
        return !f.endsWith("/.") && !f.endsWith("/..");
    });
    if (toMake > maxFoldersMade)
        return failed(ENAMETOOLONG);
    for (auto at = missing; at != folders.end(); ++at) {
        if (::mkdir(at->constData(), 0777) == 0)
            continue;
        const int error = errno;
        if (error != EEXIST || !isFolder(*at))
            return failed(error);
    }
    return Failure();
}
