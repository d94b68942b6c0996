#include "ProjectFileWriter.h"

#include "BufferedLineFile.h"
#include "FileError.h"
#include "ProjectKeys.h"


namespace {
QString number(qint64 v)
{
    return QString::number(v);
}
QString colour(ColorRef c)
{
    return QString::number(qint32(c));
}
QString flag(bool b)
{
    return b ? QStringLiteral("T") : QStringLiteral("F");
}

// The format has no escapes: a line break would split the line, and 0x1A would end the
// file for the reader, losing everything after it.
QString text(QString s)
{
    for (QChar& c : s) {
        if (c == u'\r' || c == u'\n' || c == u'\x1A')
            c = u' ';
    }
    return s;
}

QString valueText(const ButtonProject& p, const ProjectKeys::Key& key)
{
    using Kind = ProjectKeys::Kind;
    switch (key.kind) {
    case Kind::Flag:
        return flag(key.ref<bool>(p));
    case Kind::Number:
        return number(key.ref<qint32>(p));
    case Kind::Colour:
        return colour(key.ref<ColorRef>(p));
    case Kind::Choice:
        return number(key.choice(p));
    case Kind::PredefinedIndex: {
        const qint32 index = key.ref<qint32>(p);
        return number(ButtonStateStyle::isPredefinedIndex(index) ? index : -1);
    }
    case Kind::Text:
    case Kind::FontName:
    case Kind::ImageFileName:
        return text(key.ref<QString>(p));
    }
    return QString();
}
} // namespace

namespace {

// Every line of the file, without its CR LF.
template <typename Sink> void produceLines(const ButtonProject& project, Sink&& line)
{
    line(ProjectKeys::versionLine);
    for (const QString& caption : project.captions)
        line(ProjectKeys::captionKey + u'=' + text(caption));
    for (const ProjectKeys::Key& key : ProjectKeys::all())
        line(key.name + u'=' + valueText(project, key));
    const QString on = flag(true);
    for (const ProjectKeys::Key& key : ProjectKeys::optional()) {
        const QString value = valueText(project, key);
        if (value == on)
            line(key.name + u'=' + value);
    }
}

} // namespace

QByteArray ProjectFileWriter::toBytes(const ButtonProject& project)
{
    QByteArray out;
    produceLines(project, [&out](const QString& line) {
        out += line.toUtf8();
        out += "\r\n";
    });
    return out;
}

bool ProjectFileWriter::saveProjectFile(const ButtonProject& project)
{
    return save(project, project.projectFileName, true);
}

bool ProjectFileWriter::saveProjectFile(const ButtonProject& project, const QString& path)
{
    return save(project, path, false);
}

bool ProjectFileWriter::save(const ButtonProject& project, const QString& path, bool followLinks)
{
    m_errorString.clear();
    if (path.isEmpty()) {
        m_errorString = FileError::classicText(FileError::InvalidFilename);
        return false;
    }
    // A project of many captions is never held whole as text.
    BufferedLineFile file(path);
    file.setFollowLinks(followLinks);
    const bool opened = file.open();
    if (opened)
        produceLines(project, [&file](const QString& line) { file.writeLine(line); });
    if (!opened || !file.commit()) {
        m_errorString = file.error().ioErrorText();
        return false;
    }
    return true;
}
