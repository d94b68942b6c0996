#include "ProjectFileWriter.h"

#include "AtomicOutputFile.h"
#include "IoErrorText.h"
#include "ProjectKeys.h"

#include <QIODevice>

#include <cerrno>

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
    using Field = ProjectKeys::Field;
    const ButtonStateStyle& s = p.style(key.state);
    switch (key.field) {
    case Field::JavaScriptOption:
        return number(int(p.javaScriptOption));
    case Field::ButtonHeight:
        return number(p.buttonHeight);
    case Field::ButtonWidth:
        return number(p.buttonWidth);
    case Field::VariableWidth:
        return flag(p.variableWidth);
    case Field::BackgroundKind:
        return number(int(s.backgroundKind));
    case Field::ImageFileName:
        return text(s.imageFileName);
    case Field::BackgroundColor:
        return colour(s.backgroundColor);
    case Field::PredefinedIndex:
        return number(s.hasPredefinedImage() ? s.predefinedIndex : -1);
    case Field::BorderEffect:
        return number(int(s.borderEffect));
    case Field::PressEffect:
        return number(int(s.pressEffect));
    case Field::FontName:
        return text(s.fontName);
    case Field::FontColor:
        return colour(s.fontColor);
    case Field::FontSize:
        return number(s.fontSize);
    case Field::FontBold:
        return flag(s.fontBold);
    case Field::FontItalic:
        return flag(s.fontItalic);
    case Field::FontUnderline:
        return flag(s.fontUnderline);
    case Field::FontStrikeOut:
        return flag(s.fontStrikeOut);
    case Field::TextJustification:
        return number(int(s.textJustification));
    case Field::TextOrientation:
        return number(int(s.textOrientation));
    case Field::DropShadow:
        return flag(s.dropShadow);
    case Field::DropShadowColor:
        return colour(s.dropShadowColor);
    case Field::OutputDirectory:
        return text(p.outputDirectory);
    case Field::FileNamePrefix:
        return text(p.fileNamePrefix);
    case Field::UseCaptionsAsNames:
        return flag(p.useCaptionsAsNames);
    case Field::HtmlDirection:
        return number(int(p.htmlDirection));
    case Field::HtmlTable:
        return number(int(p.htmlTable));
    case Field::ImageFileFormat:
        return number(int(p.imageFileFormat));
    }
    return QString();
}
} // namespace

QByteArray ProjectFileWriter::toBytes(const ButtonProject& project)
{
    const QString lineEnd = QStringLiteral("\r\n");
    QString out = ProjectKeys::versionLine + lineEnd;
    for (const QString& caption : project.captions)
        out += ProjectKeys::captionKey + u'=' + text(caption) + lineEnd;
    for (const ProjectKeys::Key& key : ProjectKeys::all())
        out += key.name + u'=' + valueText(project, key) + lineEnd;
    return out.toUtf8();
}

bool ProjectFileWriter::writeTo(QIODevice& device, const ButtonProject& project)
{
    m_errorString.clear();
    const QByteArray bytes = toBytes(project);
    qint64 done = 0;
    while (done < bytes.size()) {
        errno = 0;
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            m_errorString = IoErrorText::forErrno(errno);
            return false;
        }
        done += n;
    }
    return true;
}

bool ProjectFileWriter::saveProjectFile(const ButtonProject& project)
{
    return saveProjectFile(project, project.projectFileName);
}

bool ProjectFileWriter::saveProjectFile(const ButtonProject& project, const QString& path)
{
    m_errorString.clear();
    if (path.isEmpty()) {
        m_errorString = IoErrorText::text(IoErrorText::InvalidFilename);
        return false;
    }
    int error = 0;
    if (!AtomicOutputFile::writeFile(path, toBytes(project), &error)) {
        m_errorString = IoErrorText::forErrno(error, path);
        return false;
    }
    return true;
}
