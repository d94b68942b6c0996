#include "PageReferences.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QRgb>
#include <QUrl>

namespace {

// Printable ASCII that stays as it is in a URL; everything else is percent-encoded.
QByteArray urlSafeAscii(QByteArrayView alsoEncoded)
{
    QByteArray safe;
    for (char c = 0x20; c < 0x7F; ++c) {
        if (!QByteArrayView("%#?\"\\<>").contains(c) && !alsoEncoded.contains(c))
            safe += c;
    }
    return safe;
}

QString percentEncodedName(const QString& fileName, const QByteArray& safe)
{
    QString url = QString::fromLatin1(QUrl::toPercentEncoding(fileName, safe));
    if (url.contains(QLatin1Char(':')))
        url.prepend(QStringLiteral("./"));
    return url;
}

} // namespace

QString PageReferences::urlFromFileName(const QString& fileName)
{
    static const QByteArray safe = urlSafeAscii({});
    return percentEncodedName(fileName, safe);
}

QString PageReferences::srcsetUrlFromFileName(const QString& fileName)
{
    // A prefix can hold either.
    static const QByteArray safe = urlSafeAscii(" ,");
    return percentEncodedName(fileName, safe);
}

QString PageReferences::buttonClass(int n)
{
    return QStringLiteral("b%1").arg(n);
}

PageReferences::PageColors PageReferences::pageColors(const ButtonProject& project)
{
    if (project.pageColor == ButtonProject().pageColor)
        return {};
    const quint32 rgb = Colors::toRgb(project.pageColor);
    // Light by its luma, as video weighs the channels.
    const int luma = (299 * int(qRed(rgb)) + 587 * int(qGreen(rgb)) + 114 * int(qBlue(rgb))) / 1000;
    return {Colors::webText(project.pageColor),
            luma < 128 ? QStringLiteral("#FFFFFF") : QStringLiteral("#000000")};
}
