#include "CodeViewer.h"

#include "PathBytes.h"
#include "PlatformServices.h"
#include "TextEncoding.h"

#include <QFile>
#include <QRegularExpression>

CodeViewer::CodeViewer(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform)
{
}

Failure CodeViewer::load(const QString& path)
{
    m_lines.clear();
    return append(path);
}

Failure CodeViewer::append(const QString& path)
{
    QFile file(path);
    const Failure cannotOpen(Failure::Code::Open, path);
    const Failure tooLarge =
        cannotOpen.because(FailureReason::CodeTooLarge, QString::number(maxFileSize >> 20));
    // A folder opens on this platform and reads as nothing; a device may never end. The reason
    // is spelled as Qt spells the others, whatever the locale.
    if (PathBytes::isFolder(path))
        return cannotOpen.withDetail(QStringLiteral("Is a directory"));
    if (!PathBytes::openForReading(file))
        return cannotOpen.withDetail(file.errorString());
    if (!file.isSequential() && file.size() > maxFileSize)
        return tooLarge;
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize)
        return tooLarge;
    if (file.error() != QFileDevice::NoError)
        return cannotOpen.withDetail(file.errorString());

    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines =
        TextEncoding::decode(bytes, TextEncoding::isValidUtf8(bytes)).split(lineEnd);
    // A final line end starts no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    m_lines += lines;
    return Failure();
}

QString CodeViewer::text() const
{
    return m_lines.join(QStringLiteral("\r\n"));
}

bool CodeViewer::copyToClipboard()
{
    setWholeTextSelected(true);
    const QString selected = text();
    if (selected.size() <= 1)
        return false;
    m_platform.setClipboardText(selected);
    setWholeTextSelected(false);
    m_platform.showMessage(copiedMessage);
    return true;
}

void CodeViewer::setWholeTextSelected(bool on)
{
    m_wholeTextSelected = on;
    emit selectionChanged(on);
}
