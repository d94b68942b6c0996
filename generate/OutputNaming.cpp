#include "OutputNaming.h"

#include <algorithm>

namespace {
const QChar separator = QLatin1Char('/');
}

QString OutputNaming::normalisedOutputDirectory(const QString& outputDirectory)
{
    if (outputDirectory.isEmpty())
        return QStringLiteral("./");

    QString dir = outputDirectory;
    if (!dir.endsWith(separator))
        dir += separator;
    // Cut to the directory part; a separator that is the root or follows another one stays.
    const int last = dir.lastIndexOf(separator);
    if (last > 0 && dir.at(last - 1) != separator)
        dir.truncate(last);
    else
        dir.truncate(last + 1);
    if (!dir.endsWith(separator))
        dir += separator;
    return dir;
}

QString OutputNaming::captionFileName(const QString& caption)
{
    static const struct
    {
        char from;
        char to;
    } replacements[] = {{'/', 's'}, {'\\', 'b'}, {':', 'c'}, {'*', 'a'}, {'?', 'h'}, {'"', 'q'},
                        {'<', 'l'}, {'>', 'g'},  {'|', 'm'}, {' ', '-'}, {'+', 'p'}};
    QString name = caption;
    // A NUL would cut the name short and other control characters make names no one can type.
    name.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    for (const auto& r : replacements)
        name.replace(QLatin1Char(r.from), QLatin1Char(r.to));
    return name;
}

QString OutputNaming::prefixError(const QString& prefix)
{
    const bool dotName = prefix == QLatin1String(".") || prefix == QLatin1String("..");
    const bool bad = dotName || std::any_of(prefix.begin(), prefix.end(), [](QChar c) {
                         return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
                     });
    if (!bad)
        return QString();
    return QStringLiteral("Invalid file name prefix: ") + quotedText(prefix);
}

QString OutputNaming::quotedText(const QString& text)
{
    constexpr qsizetype maxShown = 40;
    qsizetype shown = qMin(text.size(), maxShown);
    if (shown < text.size() && text.at(shown - 1).isHighSurrogate())
        --shown; // never half a character
    QString quoted = QStringLiteral("\"");
    for (qsizetype i = 0; i < shown; ++i) {
        const QChar c = text.at(i);
        if (c == u'"' || c == u'\\')
            quoted += QStringLiteral("\\") + c;
        else if (c.category() == QChar::Other_Control) // all of them below U+00A0
            quoted += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            quoted += c;
    }
    if (shown < text.size())
        quoted += QStringLiteral("...");
    return quoted + u'"';
}

QString OutputNaming::buttonFileName(const ButtonProject& project, int captionIndex)
{
    if (project.useCaptionsAsNames)
        return captionFileName(project.captions.value(captionIndex - 1));
    return project.fileNamePrefix + QString::number(captionIndex);
}

QString OutputNaming::stateSuffix(ButtonState state)
{
    switch (state) {
    case ButtonState::Selected:
        return QStringLiteral("S");
    case ButtonState::Pressed:
        return QStringLiteral("P");
    case ButtonState::Normal:
        break;
    }
    return QString();
}

QString OutputNaming::imagePathStem(const ButtonProject& project, int captionIndex,
                                    ButtonState state)
{
    return lowerFileNamePart(normalisedOutputDirectory(project.outputDirectory) +
                             buttonFileName(project, captionIndex) + stateSuffix(state));
}

QString OutputNaming::doubleSizeStem(const QString& pathStem)
{
    return pathStem + QStringLiteral("@2x");
}

QString OutputNaming::samplePagePath(const ButtonProject& project)
{
    return normalisedOutputDirectory(project.outputDirectory) + project.fileNamePrefix +
           QStringLiteral("PAGE.html");
}

QString OutputNaming::projectCopyPath(const ButtonProject& project)
{
    const QString prefix = project.useCaptionsAsNames ? QString() : project.fileNamePrefix;
    return lowerFileNamePart(normalisedOutputDirectory(project.outputDirectory) + prefix +
                             QStringLiteral("project.blp"));
}

QString OutputNaming::toLowerAscii(const QString& text)
{
    QString lower = text;
    for (QChar& c : lower) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    }
    return lower;
}

QString OutputNaming::lowerFileNamePart(const QString& path)
{
    const int nameStart = path.lastIndexOf(separator) + 1;
    return path.left(nameStart) + toLowerAscii(path.mid(nameStart));
}
