#include "SettingsStore.h"

#include "AtomicOutputFile.h"
#include "IniText.h"
#include "OptionRecords.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString keyOf(const QString& valueName)
{
    return SettingsStore::keyPath + QLatin1Char('/') + valueName;
}

int lockErrno(QLockFile::LockError error)
{
    switch (error) {
    case QLockFile::LockFailedError:
        return EWOULDBLOCK;
    case QLockFile::PermissionError:
        return EACCES;
    default:
        return errno ? errno : EIO;
    }
}

// What the file holds, if it can be read as settings; nothing for a file that does not exist.
// QSettings is no judge of the format here: it reports a format error only the first time a
// process reads a file.
FileError readSettings(const QString& path, QByteArray* bytes, bool* exists)
{
    *exists = false;
    bytes->clear();
    // A FIFO is not even opened: whoever writes into it must not see a reader come and go.
    // O_NONBLOCK: one swapped in since must not hang the program either.
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return FileError(FileError::Code::NotRegular, path);
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? FileError() : FileError::fromErrno(FileError::Code::Read, path);
    FileError error;
    if (::fstat(fd, &st) != 0)
        error = FileError::fromErrno(FileError::Code::Read, path);
    else if (!S_ISREG(st.st_mode))
        error = FileError(FileError::Code::NotRegular, path);
    char buffer[16384];
    while (!error.isError()) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = FileError::fromErrno(FileError::Code::Read, path);
        if (n <= 0)
            break;
        bytes->append(buffer, n);
    }
    ::close(fd);
    if (!error.isError() && !IniText(*bytes).parsable())
        error = FileError(FileError::Code::Unparsable, path);
    *exists = !error.isError();
    return error;
}
} // namespace

SettingsStore::SettingsStore(const QString& filePath) : m_filePath(filePath) {}

QString SettingsStore::userFilePath()
{
    // Where QSettings puts it, without a QSettings: that one would read the file at once, and
    // a FIFO there would hang the program.
    return QFileInfo(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/brindlewick/brindlewick.ini"))
        .absoluteFilePath();
}

FileError SettingsStore::fileProblem(const QString& path)
{
    QByteArray bytes;
    bool exists = false;
    return readSettings(path, &bytes, &exists);
}

bool SettingsStore::readRecord(const QString& valueName,
                               const std::function<bool(const QByteArray&)>& load)
{
    m_errorString.clear();
    if (m_filePath.isEmpty() || fileProblem(m_filePath).isError())
        return true;
    const QSettings settings(m_filePath, QSettings::IniFormat);
    const QString key = keyOf(valueName);
    if (settings.status() != QSettings::NoError || !settings.contains(key))
        return true;
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QByteArray && load(value.toByteArray()))
        return true;
    m_errorString = QStringLiteral("Invalid data type for '%1'").arg(valueName);
    return false;
}

bool SettingsStore::loadJpegOptions(JpegFileOptions& options)
{
    const bool read = readRecord(jpegValueName, [&options](const QByteArray& bytes) {
        return OptionRecords::loadInto(options, bytes);
    });
    options.validate();
    return read;
}

bool SettingsStore::loadTextOffsetOptions(TextOffsetOptions& options)
{
    const bool read = readRecord(textValueName, [&options](const QByteArray& bytes) {
        return OptionRecords::loadInto(options, bytes);
    });
    options.validate();
    return read;
}

QStringList SettingsStore::loadOptionSets(OptionSets& sets)
{
    sets.reset();
    QStringList warnings;
    const auto warn = [this, &warnings](const char* setName) {
        warnings.append(QStringLiteral("brindlewick: warning: %1 in %2; the default %3 are used")
                            .arg(m_errorString, m_filePath, QLatin1String(setName)));
    };
    const FileError problem = m_filePath.isEmpty() ? FileError() : fileProblem(m_filePath);
    if (problem.isError()) {
        warnings.append(QStringLiteral("brindlewick: warning: %1; the default options are used")
                            .arg(problem.message()));
    } else {
        if (!loadJpegOptions(sets.jpeg))
            warn("JPEG options");
        if (!loadTextOffsetOptions(sets.text))
            warn("offsets and indents");
    }
    for (const QString& line : warnings)
        std::fprintf(stderr, "%s\n", qPrintable(line));
    return warnings;
}

bool SettingsStore::saveJpegOptions(const JpegFileOptions& options)
{
    return replaceValue(jpegValueName, OptionRecords::encode(options));
}

bool SettingsStore::saveTextOffsetOptions(const TextOffsetOptions& options)
{
    return replaceValue(textValueName, OptionRecords::encode(options));
}

bool SettingsStore::forgetJpegOptions()
{
    return replaceValue(jpegValueName, std::nullopt);
}

bool SettingsStore::forgetTextOffsetOptions()
{
    return replaceValue(textValueName, std::nullopt);
}

bool SettingsStore::replaceValue(const QString& valueName, const std::optional<QByteArray>& bytes)
{
    m_errorString = QStringLiteral("Failed to set data for '%1'").arg(valueName);
    m_fileError = FileError();
    if (m_filePath.isEmpty())
        return false;
    m_fileError = writeValue(keyOf(valueName), bytes);
    if (m_fileError.isError()) {
        std::fprintf(stderr, "brindlewick: %s: %s\n", qPrintable(m_errorString),
                     qPrintable(m_fileError.message()));
        return false;
    }
    m_errorString.clear();
    return true;
}

FileError SettingsStore::writeValue(const QString& key, const std::optional<QByteArray>& bytes)
{
    // The settings file is the user's own: a link at its name is followed.
    const AtomicOutputFile::LinkEnd end = AtomicOutputFile::finalTarget(m_filePath);
    if (end.failure)
        return end.failure;
    const QString& target = end.path;
    const QString folder = QFileInfo(target).path();
    errno = 0;
    if (!QDir().mkpath(folder))
        return FileError::fromErrno(FileError::Code::Create, folder);

    // Two saves at once would each write what they read, and one value would be lost.
    QLockFile lock(target + QStringLiteral(".lock"));
    if (!lock.tryLock(10000))
        return FileError(FileError::Code::Lock, lock.fileName(), lockErrno(lock.error()));
    AtomicOutputFile::removeStaleTemporaries(folder);
    // Earlier versions wrote through temporaries of this form, never locked.
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral(".brindlewick.ini.??????")}, QDir::Files | QDir::Hidden))
        AtomicOutputFile::removeIfAbandoned(dir.filePath(name));

    QByteArray old;
    bool exists = false;
    if (const FileError problem = readSettings(target, &old, &exists); problem.isError())
        return problem;
    IniText text(old);
    if (bytes)
        text.setByteArray(key, *bytes);
    else if (!text.remove(key))
        return FileError();
    const QByteArray updated = text.bytes();
    if (exists && updated == old)
        return FileError();

    AtomicOutputFile file(target);
    // The user made it read-only, not this program's output: it is replaced, and stays so.
    file.setReplaceReadOnly(true);
    if (file.open() && file.write(updated.constData(), std::size_t(updated.size())) &&
        file.commit())
        return FileError();
    return file.error();
}
