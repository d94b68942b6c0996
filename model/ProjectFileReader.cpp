#include "ProjectFileReader.h"

#include "IntegerText.h"
#include "PathBytes.h"
#include "RegularFile.h"
#include "TextEncoding.h"

#include <QBuffer>
#include <QFile>

#include <cerrno>

namespace {
// Font faces have always been limited to 31 characters.
constexpr int maxFontNameLength = 31;
constexpr qint64 maxProjectBytes = qint64(64) << 20;

Failure tooLarge(const QString& path)
{
    return Failure(Failure::Code::TooLarge, path).because(FailureReason::ProjectTooLarge);
}

QString cutFontName(const QString& name)
{
    if (name.size() <= maxFontNameLength)
        return name;
    int n = maxFontNameLength;
    if (name[n - 1].isHighSurrogate())
        --n; // never keep half a character
    return name.left(n);
}

// Why reading failed, if it did.
Failure readFailure(QIODevice& device, const QString& path)
{
    const auto* file = qobject_cast<QFileDevice*>(&device);
    if (!file || file->error() == QFileDevice::NoError)
        return Failure();
    return Failure::fromErrno(Failure::Code::Read, path).because(FailureReason::ProjectFileAccess);
}
} // namespace

ProjectFileReader::ProjectFileReader(ButtonProject& project, OwnImageLoader loader)
    : m_project(project), m_loader(std::move(loader))
{
}

Failure ProjectFileReader::loadProjectFile()
{
    const QString path = m_project.projectFileName;
    if (path.isEmpty()) // as the system would have it
        return Failure(Failure::Code::Open, path, ENOENT).because(FailureReason::ProjectFileAccess);
    RegularFile input(path);
    if (const Failure& failure = input.openFailure())
        return failure.because(FailureReason::ProjectFileAccess);
    if (input.kind() == RegularFile::Kind::Pipe)
        return readStream(input);
    if (input.kind() != RegularFile::Kind::Regular)
        return input.refusal();
    // A file of gigabytes on one line would be held whole; none is a project.
    if (input.size() > maxProjectBytes)
        return tooLarge(path);
    QFile file;
    input.openInto(file);
    return readFrom(file);
}

// A pipe cannot be read twice, so it is read whole first, up to a size that no project comes
// near.
Failure ProjectFileReader::readStream(RegularFile& input)
{
    QByteArray data;
    if (const Failure failure = input.readPipe(maxProjectBytes, &data))
        return failure.because(failure.code() == Failure::Code::TooLarge
                                   ? FailureReason::PipeTooLarge
                                   : FailureReason::ProjectFileAccess);
    return loadFromBytes(data);
}

Failure ProjectFileReader::loadFromBytes(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return readFrom(buffer);
}

// Streams the file twice, so that a large file chosen by mistake is never held whole:
// first to learn its encoding, then line by line.
Failure ProjectFileReader::readFrom(QIODevice& device)
{
    const qint64 begin = TextEncoding::startsWithByteOrderMark(device.peek(3)) ? 3 : 0;
    device.seek(begin);
    TextEncoding::Utf8Validator validator;
    errno = 0;
    qint64 total = 0;
    for (bool ended = false; !ended;) {
        QByteArray chunk = device.read(64 * 1024);
        if (chunk.isEmpty())
            break;
        // Some files grow, or have no size to tell (those under /proc).
        total += chunk.size();
        if (total > maxProjectBytes)
            return tooLarge(m_project.projectFileName);
        const qsizetype eof = chunk.indexOf('\x1A');
        ended = eof >= 0;
        if (ended)
            chunk.truncate(eof);
        validator.feed(chunk);
    }
    if (const Failure failure = readFailure(device, m_project.projectFileName))
        return failure;
    if (!device.seek(begin))
        return Failure(Failure::Code::Read, m_project.projectFileName)
            .because(FailureReason::ProjectFileAccess);
    const bool utf8 = validator.finish();

    m_project.captions.clear();
    m_namedProjectKey = false;
    // These keys are written only when set, so their absence means a new project's value.
    static const ButtonProject defaults;
    for (const ProjectKeys::Option& option : ProjectKeys::optional())
        option.key.copy(defaults, m_project);
    // 0x1A and line ends are ASCII, so neither can sit inside a UTF-8 sequence.
    for (bool ended = false; !ended && !device.atEnd();) {
        QByteArray line = device.readLine();
        if (line.isEmpty())
            break;
        const qsizetype eof = line.indexOf('\x1A');
        ended = eof >= 0;
        if (ended)
            line.truncate(eof);
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (const Failure failure = applyProjectLine(TextEncoding::decode(line, utf8)))
            return failure;
    }
    return readFailure(device, m_project.projectFileName);
}

Failure ProjectFileReader::applyProjectLine(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return Failure();
    const QStringView key = QStringView(line).left(eq);
    const QString value = line.mid(eq + 1);
    if (ProjectKeys::isCaptionKey(key)) {
        m_namedProjectKey = true;
        m_project.captions.append(value);
        return Failure();
    }
    const ProjectKeys::Key* known = ProjectKeys::find(key);
    if (!known) {
        if (line == ProjectKeys::versionLine)
            m_namedProjectKey = true;
        return Failure();
    }
    m_namedProjectKey = true;
    return applyValue(*known, value);
}

Failure ProjectFileReader::applyValue(const ProjectKeys::Key& key, const QString& value)
{
    using Kind = ProjectKeys::Kind;
    ButtonProject& p = m_project;
    switch (key.kind) {
    case Kind::Flag:
        key.ref<bool>(p) = value == ProjectKeys::flagOn;
        return Failure();
    case Kind::Text:
        key.ref<QString>(p) = value;
        return Failure();
    case Kind::FontName:
        if (!value.isEmpty())
            key.ref<QString>(p) = cutFontName(value);
        return Failure();
    case Kind::ImageFileName:
        key.ref<QString>(p) = value;
        return loadOwnImage(key.state);
    case Kind::WebColour:
        if (Colors::fromWebText(value, &key.ref<ColorRef>(p)))
            return Failure();
        return Failure(Failure::Code::Unparsable, FailureReason::NotAColour, value);
    case Kind::OptionalColour:
        if (ProjectKeys::Key::optionalColour(value, &key.ref<std::optional<ColorRef>>(p)))
            return Failure();
        return Failure(Failure::Code::Unparsable, FailureReason::NotAColour, value);
    case Kind::NamedChoice:
        if (const int choice = key.choiceNamed(value); choice >= 0) {
            key.setChoice(p, choice);
            return Failure();
        }
        return Failure(Failure::Code::Unparsable, FailureReason::NotAChoice, value);
    case Kind::Number:
    case Kind::Colour:
    case Kind::Choice:
    case Kind::PredefinedIndex:
        break;
    }

    qint32 v = 0;
    if (!IntegerText::toInt32(value, &v))
        return Failure(Failure::Code::Unparsable, FailureReason::NotAnInteger, value);
    switch (key.kind) {
    case Kind::Number:
        key.ref<qint32>(p) = qBound(key.minimum, v, key.maximum);
        break;
    case Kind::Colour:
        key.ref<ColorRef>(p) = ColorRef(v);
        break;
    case Kind::Choice:
        key.setChoice(p, v);
        break;
    case Kind::PredefinedIndex:
        key.ref<qint32>(p) = ButtonStateStyle::isPredefinedIndex(v) ? v : -1;
        break;
    default:
        break;
    }
    return Failure();
}

Failure ProjectFileReader::loadOwnImage(ButtonState state)
{
    const ButtonStateStyle& s = m_project.style(state);
    if (!s.namesOwnImage() || !m_loader)
        return Failure();
    return m_loader(state, s.imageFileName);
}
