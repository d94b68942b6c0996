#include "OptionRecords.h"

namespace {
void putInt32(char* at, qint32 value)
{
    const quint32 u = quint32(value);
    for (int i = 0; i < 4; ++i)
        at[i] = char((u >> (8 * i)) & 0xFF);
}

qint32 int32At(const char* at)
{
    quint32 u = 0;
    for (int i = 0; i < 4; ++i)
        u |= quint32(quint8(at[i])) << (8 * i);
    return qint32(u);
}

// The set's own record with the stored bytes over its start; empty when they do not fit.
QByteArray overlay(QByteArray record, const QByteArray& bytes)
{
    if (bytes.size() > record.size())
        return QByteArray();
    record.replace(0, bytes.size(), bytes);
    return record;
}
} // namespace

QByteArray OptionRecords::encode(const JpegFileOptions& options)
{
    QByteArray record(jpegRecordSize, '\0');
    record[0] = char(options.quality);
    record[1] = char(options.pixelFormat);
    record[2] = char(options.performance);
    record[3] = char(options.grayscale);
    record[4] = char(options.progressiveEncoding);
    record[5] = char(options.progressiveDisplay);
    record[6] = char(options.smoothing);
    record[7] = char(options.retainSettings);
    return record;
}

QByteArray OptionRecords::encode(const TextOffsetOptions& options)
{
    QByteArray record(textRecordSize, '\0');
    putInt32(record.data(), options.textIndent);
    putInt32(record.data() + 4, options.textOffset);
    record[8] = char(options.retainSettings);
    return record;
}

bool OptionRecords::loadInto(JpegFileOptions& options, const QByteArray& bytes)
{
    const QByteArray record = overlay(encode(options), bytes);
    if (record.isEmpty())
        return false;
    const auto byte = [&record](int i) { return quint8(record.at(i)); };
    options.quality = byte(0);
    options.pixelFormat = byte(1);
    options.performance = byte(2);
    options.grayscale = byte(3);
    options.progressiveEncoding = byte(4);
    options.progressiveDisplay = byte(5);
    options.smoothing = byte(6);
    options.retainSettings = byte(7);
    return true;
}

bool OptionRecords::loadInto(TextOffsetOptions& options, const QByteArray& bytes)
{
    const QByteArray record = overlay(encode(options), bytes);
    if (record.isEmpty())
        return false;
    options.textIndent = int32At(record.constData());
    options.textOffset = int32At(record.constData() + 4);
    options.retainSettings = quint8(record.at(8));
    return true;
}
