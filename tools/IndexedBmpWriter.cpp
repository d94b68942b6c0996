#include "IndexedBmpWriter.h"

#include <QByteArray>
#include <QFile>
#include <QtEndian>

namespace {

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

bool IndexedBmpWriter::write(const QImage& indexed, const QString& path)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() > 256) {
        m_error = QStringLiteral("Not an 8-bit indexed picture");
        return false;
    }
    const int width = indexed.width();
    const int height = indexed.height();
    const quint32 stride = quint32(width + 3) & ~3u;
    const quint32 headerSize = 14 + 40 + 256 * 4;
    const quint32 imageSize = stride * quint32(height);

    QByteArray out;
    out.reserve(int(headerSize + imageSize));
    out.append("BM", 2);
    put32(out, headerSize + imageSize);
    put32(out, 0);
    put32(out, headerSize);

    put32(out, 40);
    put32(out, quint32(width));
    put32(out, quint32(height)); // positive: rows stored bottom-up
    put16(out, 1);
    put16(out, 8);
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 2835); // 72 dpi
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);

    const QVector<QRgb> table = indexed.colorTable();
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < table.size() ? table[i] : qRgb(0, 0, 0);
        out.append(char(qBlue(c)));
        out.append(char(qGreen(c)));
        out.append(char(qRed(c)));
        out.append(char(0));
    }

    for (int y = height - 1; y >= 0; --y) {
        out.append(reinterpret_cast<const char*>(indexed.constScanLine(y)), width);
        out.append(QByteArray(int(stride) - width, '\0'));
    }

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out) != out.size()) {
        m_error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}
