#include "ProjectFileReader.h"

#include "IntegerText.h"
#include "IoErrorText.h"
#include "TextEncoding.h"

#include <QFile>

#include <cerrno>

namespace {
// Font faces have always been limited to 31 characters.
constexpr int maxFontNameLength = 31;

QString cutFontName(const QString& name)
{
    if (name.size() <= maxFontNameLength)
        return name;
    int n = maxFontNameLength;
    if (name[n - 1].isHighSurrogate())
        --n; // never keep half a character
    return name.left(n);
}
} // namespace

ProjectFileReader::ProjectFileReader(ButtonProject& project, OwnImageLoader loader)
    : m_project(project), m_loader(std::move(loader))
{
}

bool ProjectFileReader::loadProjectFile()
{
    m_errorString.clear();
    const QString path = m_project.projectFileName;
    if (path.isEmpty()) {
        m_errorString = IoErrorText::text(IoErrorText::InvalidFilename);
        return false;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        m_errorString = IoErrorText::forErrno(errno, path);
        return false;
    }
    errno = 0;
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_errorString = IoErrorText::forErrno(errno, path);
        return false;
    }
    file.close();
    return loadFromBytes(data);
}

bool ProjectFileReader::loadFromBytes(const QByteArray& data)
{
    m_errorString.clear();
    m_project.captions.clear();

    QByteArrayView bytes(data);
    const qsizetype eof = bytes.indexOf('\x1A');
    if (eof >= 0)
        bytes.truncate(eof);
    // 0x1A and line ends are ASCII, so cutting and splitting never break a UTF-8 sequence.
    const QString text = TextEncoding::decode(bytes.toByteArray());

    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf(u'\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        if (end > start && text[end - 1] == u'\r')
            --end;
        if (!applyProjectLine(text.sliced(start, end - start)))
            return false;
        start = next;
    }
    return true;
}

bool ProjectFileReader::applyProjectLine(const QString& line)
{
    m_errorString.clear();
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return true;
    const QStringView key = QStringView(line).left(eq);
    const QString value = line.mid(eq + 1);
    if (ProjectKeys::isCaptionKey(key)) {
        m_project.captions.append(value);
        return true;
    }
    const ProjectKeys::Key* known = ProjectKeys::find(key);
    return known ? applyValue(*known, value) : true;
}

bool ProjectFileReader::readInteger(const QString& value, qint32* result)
{
    if (IntegerText::toInt32(value, result))
        return true;
    m_errorString = IntegerText::invalidValueMessage(value);
    return false;
}

bool ProjectFileReader::applyValue(const ProjectKeys::Key& key, const QString& value)
{
    using Field = ProjectKeys::Field;
    ButtonProject& p = m_project;
    ButtonStateStyle& s = p.style(key.state);
    const bool flag = value == QLatin1String("T");

    switch (key.field) {
    case Field::VariableWidth:
        p.variableWidth = flag;
        return true;
    case Field::FontBold:
        s.fontBold = flag;
        return true;
    case Field::FontItalic:
        s.fontItalic = flag;
        return true;
    case Field::FontUnderline:
        s.fontUnderline = flag;
        return true;
    case Field::FontStrikeOut:
        s.fontStrikeOut = flag;
        return true;
    case Field::DropShadow:
        s.dropShadow = flag;
        return true;
    case Field::UseCaptionsAsNames:
        p.useCaptionsAsNames = flag;
        return true;
    case Field::OutputDirectory:
        p.outputDirectory = value;
        return true;
    case Field::FileNamePrefix:
        p.fileNamePrefix = value;
        return true;
    case Field::FontName:
        if (!value.isEmpty())
            s.fontName = cutFontName(value);
        return true;
    case Field::ImageFileName:
        s.imageFileName = value;
        if (s.namesOwnImage() && m_loader) {
            QString message;
            if (!m_loader(key.state, value, &message)) {
                m_errorString = message;
                return false;
            }
        }
        return true;
    default:
        break;
    }

    qint32 v = 0;
    if (!readInteger(value, &v))
        return false;
    switch (key.field) {
    case Field::JavaScriptOption:
        p.javaScriptOption = clampToGroup<JavaScriptOption>(v);
        break;
    case Field::ButtonHeight:
        p.buttonHeight = v;
        break;
    case Field::ButtonWidth:
        p.buttonWidth = v;
        break;
    case Field::BackgroundKind:
        s.backgroundKind = clampToGroup<BackgroundKind>(v);
        break;
    case Field::BackgroundColor:
        s.backgroundColor = ColorRef(v);
        break;
    case Field::PredefinedIndex:
        s.predefinedIndex = v >= 0 && v <= 99 ? v : -1;
        break;
    case Field::BorderEffect:
        s.borderEffect = clampToGroup<BorderEffect>(v);
        break;
    case Field::PressEffect:
        s.pressEffect = clampToGroup<PressEffect>(v);
        break;
    case Field::FontColor:
        s.fontColor = ColorRef(v);
        break;
    case Field::FontSize:
        s.fontSize = v;
        break;
    case Field::TextJustification:
        s.textJustification = clampToGroup<TextJustification>(v);
        break;
    case Field::TextOrientation:
        s.textOrientation = clampToGroup<TextOrientation>(v);
        break;
    case Field::DropShadowColor:
        s.dropShadowColor = ColorRef(v);
        break;
    case Field::HtmlDirection:
        p.htmlDirection = clampToGroup<HtmlDirection>(v);
        break;
    case Field::HtmlTable:
        p.htmlTable = clampToGroup<HtmlTable>(v);
        break;
    case Field::ImageFileFormat:
        p.imageFileFormat = clampToGroup<ImageFileFormat>(v);
        break;
    default:
        break;
    }
    return true;
}
