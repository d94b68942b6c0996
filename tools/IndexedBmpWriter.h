#pragma once

#include <QImage>
#include <QString>

// Writes an Indexed8 image as an uncompressed 8-bit BMP with a 256-entry colour table.
class IndexedBmpWriter
{
public:
    bool write(const QImage& indexed, const QString& path);
    QString errorString() const { return m_error; }

private:
    QString m_error;
};
