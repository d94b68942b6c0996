#include "WrittenFiles.h"

#include "OutputNaming.h"

namespace {
using Format = ImageFileWriter::Format;

quint8 bit(Format format)
{
    return quint8(1u << int(format));
}
} // namespace

WrittenFiles::WrittenFiles(const ButtonProject& project) : m_project(project) {}

quint64 WrittenFiles::key(int captionIndex, std::optional<ButtonState> state, int scale)
{
    const quint64 kind = state ? quint64(*state) : 0;
    return (quint64(captionIndex) << 8) | (kind << 1) | (scale == 2 ? 1 : 0);
}

void WrittenFiles::record(int captionIndex, std::optional<ButtonState> state, int scale,
                          const QList<ImageFileWriter::Target>& files, qsizetype written)
{
    if (written == files.size() && !files.isEmpty())
        return;
    quint8 formats = 0;
    for (qsizetype i = 0; i < written; ++i)
        formats |= bit(files.at(i).format);
    m_partlyWritten.insert(key(captionIndex, state, scale), formats);
}

QString WrittenFiles::fileName(int captionIndex, std::optional<ButtonState> state, int scale) const
{
    const Format page = OutputNaming::pageFormat(m_project);
    const auto found = m_partlyWritten.constFind(key(captionIndex, state, scale));
    if (found == m_partlyWritten.constEnd())
        return OutputNaming::fileName(m_project, captionIndex, state, scale, page);
    // After the page's format and the chosen one, PNG: it holds the image's exact pixels.
    for (const Format format : {page, OutputNaming::chosenFormat(m_project), Format::Png,
                                Format::Jpeg, Format::Gif, Format::WebP}) {
        if (*found & bit(format))
            return OutputNaming::fileName(m_project, captionIndex, state, scale, format);
    }
    return QString();
}
