#include "PathBytes.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t firstEscape = 0xDC80;
constexpr char16_t lastEscape = 0xDCFF;

// The length of the valid UTF-8 sequence at i, 0 for a byte that starts none.
qsizetype sequenceLength(QByteArrayView bytes, qsizetype i)
{
    const auto byte = [&](qsizetype at) { return uchar(bytes.at(at)); };
    const uchar lead = byte(i);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    // The second byte's range excludes overlong forms, surrogates and code points past U+10FFFF.
    uchar low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    }
    if (length == 0 || i + length > bytes.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (qsizetype k = 2; k < length; ++k) {
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    }
    return length;
}

} // namespace

QString PathBytes::decode(QByteArrayView bytes)
{
    QString path;
    qsizetype runStart = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        if (const qsizetype length = sequenceLength(bytes, i)) {
            i += length;
            continue;
        }
        path += QString::fromUtf8(bytes.sliced(runStart, i - runStart));
        path += QChar(char16_t(0xDC00 + uchar(bytes.at(i))));
        runStart = ++i;
    }
    return path + QString::fromUtf8(bytes.sliced(runStart));
}

QByteArray PathBytes::encode(QStringView path)
{
    QByteArray bytes;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path.at(i).unicode();
        const bool paired = i > 0 && path.at(i - 1).isHighSurrogate();
        if (unit < firstEscape || unit > lastEscape || paired)
            continue;
        bytes += path.sliced(runStart, i - runStart).toUtf8();
        bytes += char(unit - 0xDC00);
        runStart = i + 1;
    }
    return bytes + path.sliced(runStart).toUtf8();
}

bool PathBytes::openForReading(QFile& file)
{
    const QByteArray name = encode(file.fileName());
    if (name == file.fileName().toUtf8())
        return file.open(QIODevice::ReadOnly);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    errno = EIO;
    return false;
}

bool PathBytes::isFolder(const QString& path)
{
    struct stat status = {};
    return ::stat(encode(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

QString PathBytes::absolute(const QString& path)
{
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    char current[PATH_MAX];
    if (!::getcwd(current, sizeof current))
        return QDir::cleanPath(QDir::current().absoluteFilePath(path));
    return QDir::cleanPath(decode(current) + u'/' + path);
}
