#include "CodeViewer.h"

#include "ErrorText.h"
#include "PlatformServices.h"
#include "TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

CodeViewer::CodeViewer(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform)
{
}

bool CodeViewer::load(const QString& path)
{
    m_lines.clear();
    return append(path);
}

bool CodeViewer::append(const QString& path)
{
    m_errorString.clear();
    QFile file(path);
    const auto fail = [this, &path](const QString& reason) {
        m_errorString = ErrorText::message(Failure(Failure::Code::Open, path).withDetail(reason));
        return false;
    };
    // A folder opens on this platform and reads as nothing; a device may never end.
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("Is a directory"));
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    if (!file.isSequential() && file.size() > maxFileSize)
        return fail(QStringLiteral("The file is larger than %1 MB.").arg(maxFileSize >> 20));
    const QByteArray bytes = file.read(maxFileSize + 1);
    if (bytes.size() > maxFileSize)
        return fail(QStringLiteral("The file is larger than %1 MB.").arg(maxFileSize >> 20));
    if (file.error() != QFileDevice::NoError)
        return fail(file.errorString());

    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines =
        TextEncoding::decode(bytes, TextEncoding::isValidUtf8(bytes)).split(lineEnd);
    // A final line end starts no line of its own.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    m_lines += lines;
    return true;
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
