#include "SettingsStore.h"

#include "AtomicOutputFile.h"
#include "IniText.h"
#include "LockFile.h"
#include "OptionRecords.h"
#include "PathBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Two values take a few hundred bytes; the user's own lines may add some.
constexpr qsizetype maxFileBytes = qsizetype(1) << 20;
// A save by another process takes milliseconds, and the wizard waits for this one.
constexpr std::chrono::milliseconds lockWait(250);

QString keyOf(const QString& valueName)
{
    return SettingsStore::keyPath + QLatin1Char('/') + valueName;
}

// What the file holds, if it can be read as settings; nothing for a file that does not exist.
// QSettings is no judge of the format here: it reports a format error only the first time a
// process reads a file.
Failure readSettings(const QString& path, QByteArray* bytes, bool* exists)
{
    *exists = false;
    bytes->clear();
    // A FIFO is not even opened: whoever writes into it must not see a reader come and go.
    // O_NONBLOCK: one swapped in since must not hang the program either.
    const Failure notRegular =
        Failure(Failure::Code::NotRegular, path).because(FailureReason::NotRegularFile);
    // Nor is one that would cost every run its time and memory.
    const Failure tooLarge =
        Failure(Failure::Code::TooLarge, path).because(FailureReason::SettingsTooLarge);
    struct stat st = {};
    if (::stat(PathBytes::encode(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return notRegular;
    const int fd = ::open(PathBytes::encode(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Failure() : Failure::fromErrno(Failure::Code::Read, path);
    Failure error;
    if (::fstat(fd, &st) != 0)
        error = Failure::fromErrno(Failure::Code::Read, path);
    else if (!S_ISREG(st.st_mode))
        error = notRegular;
    else if (st.st_size > maxFileBytes)
        error = tooLarge;
    char buffer[16384];
    while (!error.isError()) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = Failure::fromErrno(Failure::Code::Read, path);
        if (n <= 0)
            break;
        bytes->append(buffer, n);
        if (bytes->size() > maxFileBytes) // grown since
            error = tooLarge;
    }
    ::close(fd);
    if (!error.isError() && !IniText(*bytes).parsable())
        error = Failure(Failure::Code::Unparsable, path);
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

Failure SettingsStore::fileProblem(const QString& path)
{
    QByteArray bytes;
    bool exists = false;
    return readSettings(path, &bytes, &exists);
}

Failure SettingsStore::readRecord(const QString& valueName, FailureReason reason,
                                  const std::function<bool(const QByteArray&)>& load)
{
    QByteArray bytes;
    bool exists = false;
    if (m_filePath.isEmpty() || readSettings(m_filePath, &bytes, &exists).isError())
        return Failure();
    const QString key = keyOf(valueName);
    const IniText text(bytes);
    if (!text.parsable() || !text.contains(key))
        return Failure();
    // Read from the bytes just read: QSettings keeps a file it has read, and takes it for
    // unchanged while its size and time in milliseconds are, which quick saves can share.
    if (const std::optional<QByteArray> value = text.byteArray(key)) {
        if (load(*value))
            return Failure();
        return Failure(Failure::Code::Decode, m_filePath).because(reason, valueName);
    }
    const QSettings settings(m_filePath, QSettings::IniFormat);
    const QVariant value = settings.value(key);
    if (value.typeId() == QMetaType::QByteArray && load(value.toByteArray()))
        return Failure();
    return Failure(Failure::Code::Decode, m_filePath).because(reason, valueName);
}

std::optional<QByteArray> SettingsStore::loadValue(const QString& valueName)
{
    std::optional<QByteArray> value;
    readRecord(valueName, FailureReason::SettingsNotSaved, [&value](const QByteArray& bytes) {
        value = bytes;
        return true;
    });
    return value;
}

Failure SettingsStore::saveValue(const QString& valueName, const QByteArray& bytes)
{
    return replaceValue(valueName, bytes);
}

Failure SettingsStore::loadJpegOptions(JpegFileOptions& options)
{
    const Failure failure = readRecord(
        jpegValueName, FailureReason::JpegOptionsInvalid,
        [&options](const QByteArray& bytes) { return OptionRecords::loadInto(options, bytes); });
    options.validate();
    return failure;
}

Failure SettingsStore::loadTextOffsetOptions(TextOffsetOptions& options)
{
    const Failure failure = readRecord(
        textValueName, FailureReason::TextOptionsInvalid,
        [&options](const QByteArray& bytes) { return OptionRecords::loadInto(options, bytes); });
    options.validate();
    return failure;
}

QList<Failure> SettingsStore::loadOptionSets(OptionSets& sets)
{
    sets.reset();
    if (const Failure problem = m_filePath.isEmpty() ? Failure() : fileProblem(m_filePath))
        return {problem};
    QList<Failure> failures;
    for (const Failure& failure : {loadJpegOptions(sets.jpeg), loadTextOffsetOptions(sets.text)}) {
        if (failure)
            failures.append(failure);
    }
    return failures;
}

Failure SettingsStore::saveJpegOptions(const JpegFileOptions& options)
{
    return replaceValue(jpegValueName, OptionRecords::encode(options));
}

Failure SettingsStore::saveTextOffsetOptions(const TextOffsetOptions& options)
{
    return replaceValue(textValueName, OptionRecords::encode(options));
}

Failure SettingsStore::forgetJpegOptions()
{
    return replaceValue(jpegValueName, std::nullopt);
}

Failure SettingsStore::forgetTextOffsetOptions()
{
    return replaceValue(textValueName, std::nullopt);
}

// Nothing stored means nothing to forget: no folder is made and no lock taken for it. A file
// that cannot be read is left to the locked path, which reports it.
bool SettingsStore::nothingToForget(const QString& target, const QString& key)
{
    QByteArray current;
    bool exists = false;
    if (const Failure failure = readSettings(target, &current, &exists))
        return failure.systemError() == ENOTDIR; // a file where a folder would be holds nothing
    return !exists || !IniText(current).contains(key);
}

Failure SettingsStore::replaceValue(const QString& valueName,
                                    const std::optional<QByteArray>& bytes)
{
    if (m_filePath.isEmpty())
        return Failure(Failure::Code::Write, FailureReason::SettingsNotSaved, valueName);
    if (const Failure failure = writeValue(keyOf(valueName), bytes))
        return failure.because(FailureReason::SettingsNotSaved, valueName);
    return Failure();
}

Failure SettingsStore::writeValue(const QString& key, const std::optional<QByteArray>& bytes)
{
    // The settings file is the user's own: a link at its name is followed.
    const AtomicOutputFile::LinkEnd end = AtomicOutputFile::finalTarget(m_filePath);
    if (end.failure)
        return end.failure;
    const QString& target = end.path;
    if (!bytes && nothingToForget(target, key))
        return Failure();
    const QString folder = QFileInfo(target).path();
    errno = 0;
    if (!QDir().mkpath(folder))
        return Failure::fromErrno(Failure::Code::Create, folder);

    // Two saves at once would each write what they read, and one value would be lost.
    LockFile lock(target + QStringLiteral(".lock"));
    if (const Failure failure = lock.lock(lockWait))
        return failure;
    AtomicOutputFile::removeStaleTemporaries(folder);
    // Earlier versions wrote through temporaries of this form, never locked.
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral(".brindlewick.ini.??????")}, QDir::Files | QDir::Hidden))
        AtomicOutputFile::removeIfAbandoned(dir.filePath(name));

    QByteArray old;
    bool exists = false;
    if (const Failure problem = readSettings(target, &old, &exists); problem.isError())
        return problem;
    IniText text(old);
    if (bytes)
        text.setByteArray(key, *bytes);
    else if (!text.remove(key))
        return Failure();
    const QByteArray updated = text.bytes();
    if (exists && updated == old)
        return Failure();

    AtomicOutputFile file(target);
    // The user made it read-only, not this program's output: it is replaced, and stays so.
    file.setReplaceReadOnly(true);
    if (file.open() && file.write(updated.constData(), std::size_t(updated.size())) &&
        file.commit())
        return Failure();
    return file.error();
}
