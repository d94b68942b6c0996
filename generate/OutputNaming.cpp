#include "OutputNaming.h"

#include "AtomicOutputFile.h"
#include "PathBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <climits>

#include <unistd.h>

namespace {
const QChar separator = QLatin1Char('/');
const QString htmlExtension = QStringLiteral(".html");
} // namespace

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

Failure OutputNaming::prefixError(const QString& prefix)
{
    const bool dotName = prefix == QLatin1String(".") || prefix == QLatin1String("..");
    const bool bad = dotName || std::any_of(prefix.begin(), prefix.end(), [](QChar c) {
                         return c == u'/' || c == u'\\' || c.category() == QChar::Other_Control;
                     });
    return bad ? Failure(Failure::Code::Refuse, FailureReason::InvalidPrefix, prefix) : Failure();
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

namespace {
using Format = ImageFileWriter::Format;

Format writerFormat(ImageFileFormat format)
{
    switch (format) {
    case ImageFileFormat::Jpg:
        return Format::Jpeg;
    case ImageFileFormat::Gif:
        return Format::Gif;
    case ImageFileFormat::Png:
    case ImageFileFormat::NoChoice:
        break;
    }
    return Format::Png;
}

QString writerExtension(Format format)
{
    switch (format) {
    case Format::Jpeg:
        return QStringLiteral(".jpg");
    case Format::Gif:
        return QStringLiteral(".gif");
    case Format::WebP:
        return QStringLiteral(".webp");
    case Format::Png:
        break;
    }
    return QStringLiteral(".png");
}
} // namespace

QString OutputNaming::extension(ImageFileFormat format)
{
    return writerExtension(writerFormat(format));
}

ImageFileWriter::Format OutputNaming::chosenFormat(const ButtonProject& project)
{
    return writerFormat(project.imageFileFormat);
}

ImageFileWriter::Format OutputNaming::pageFormat(const ButtonProject& project)
{
    return project.webPImages ? Format::WebP : chosenFormat(project);
}

QString OutputNaming::stemSuffix(std::optional<ButtonState> state, int scale)
{
    const QString twin = scale == 2 ? QStringLiteral("@2x") : QString();
    return (state ? stateSuffix(*state) : QStringLiteral("-sprite")) + twin;
}

QString OutputNaming::fileName(const ButtonProject& project, int captionIndex,
                               std::optional<ButtonState> state, int scale, Format format)
{
    return toLowerAscii(buttonFileName(project, captionIndex) + stemSuffix(state, scale)) +
           writerExtension(format);
}

namespace {
QString imageStem(const ButtonProject& project, int captionIndex, ButtonState state, int scale)
{
    return OutputNaming::toLowerAscii(OutputNaming::buttonFileName(project, captionIndex) +
                                      OutputNaming::stemSuffix(state, scale));
}

QString pageExtension(const ButtonProject& project)
{
    return writerExtension(OutputNaming::pageFormat(project));
}
// ".jpg", ".png" and ".gif" are of one length, ".webp" longer.
QString longestExtension(const ButtonProject& project)
{
    return writerExtension(project.webPImages ? Format::WebP : Format::Jpeg);
}

// pathStem in each format with its extension, then as WebP when the project writes it.
QList<ImageFileWriter::Target> filesOf(const ButtonProject& project, const QString& pathStem,
                                       QList<Format> formats)
{
    if (project.webPImages)
        formats.append(Format::WebP);
    QList<ImageFileWriter::Target> files;
    for (const Format format : formats)
        files.append({format, pathStem + writerExtension(format)});
    return files;
}
} // namespace

QString OutputNaming::pageImageFileName(const ButtonProject& project, int captionIndex,
                                        ButtonState state, int scale)
{
    return imageStem(project, captionIndex, state, scale) + pageExtension(project);
}

QString OutputNaming::longestImageFileName(const ButtonProject& project, int captionIndex,
                                           ButtonState state, int scale)
{
    return imageStem(project, captionIndex, state, scale) + longestExtension(project);
}

QString OutputNaming::imagePathStem(const ButtonProject& project, int captionIndex,
                                    ButtonState state, int scale)
{
    return normalisedOutputDirectory(project.outputDirectory) +
           imageStem(project, captionIndex, state, scale);
}

QList<ImageFileWriter::Target> OutputNaming::imageFiles(const ButtonProject& project,
                                                        int captionIndex, ButtonState state,
                                                        int scale)
{
    return filesOf(project, imagePathStem(project, captionIndex, state, scale),
                   {Format::Jpeg, Format::Png, Format::Gif});
}

namespace {
QString spriteStem(const ButtonProject& project, int captionIndex, int scale)
{
    return OutputNaming::toLowerAscii(OutputNaming::buttonFileName(project, captionIndex) +
                                      OutputNaming::stemSuffix(std::nullopt, scale));
}
} // namespace

bool OutputNaming::hasSprites(const ButtonProject& project)
{
    return project.cssRollovers && !project.extraStates().isEmpty();
}

QString OutputNaming::spritePathStem(const ButtonProject& project, int captionIndex, int scale)
{
    return normalisedOutputDirectory(project.outputDirectory) +
           spriteStem(project, captionIndex, scale);
}

QList<ImageFileWriter::Target> OutputNaming::spriteFiles(const ButtonProject& project,
                                                         int captionIndex, int scale)
{
    return filesOf(project, spritePathStem(project, captionIndex, scale),
                   {writerFormat(project.imageFileFormat)});
}

QString OutputNaming::pageSpriteFileName(const ButtonProject& project, int captionIndex, int scale)
{
    return spriteStem(project, captionIndex, scale) + pageExtension(project);
}

QString OutputNaming::longestSpriteFileName(const ButtonProject& project, int captionIndex,
                                            int scale)
{
    return spriteStem(project, captionIndex, scale) + longestExtension(project);
}

QString OutputNaming::linkFileName(const ButtonProject& project, int captionIndex)
{
    return captionFileName(project.captions.value(captionIndex - 1)) + htmlExtension;
}

QString OutputNaming::samplePageFileName(const ButtonProject& project)
{
    return project.fileNamePrefix + QStringLiteral("PAGE") + htmlExtension;
}

QString OutputNaming::samplePagePath(const ButtonProject& project)
{
    return normalisedOutputDirectory(project.outputDirectory) + samplePageFileName(project);
}

QString OutputNaming::styleSheetFileName(const ButtonProject& project)
{
    return project.fileNamePrefix + QStringLiteral("PAGE.css");
}

QString OutputNaming::styleSheetPath(const ButtonProject& project)
{
    return normalisedOutputDirectory(project.outputDirectory) + styleSheetFileName(project);
}

QString OutputNaming::projectCopyFileName(const ButtonProject& project)
{
    const QString prefix = project.useCaptionsAsNames ? QString() : project.fileNamePrefix;
    return toLowerAscii(prefix + QStringLiteral("project.blp"));
}

QString OutputNaming::projectCopyPath(const ButtonProject& project)
{
    return normalisedOutputDirectory(project.outputDirectory) + projectCopyFileName(project);
}

qsizetype OutputNaming::maxFileNameBytes(const ButtonProject& project)
{
    // The folder may not exist yet; it will be made on the file system of its nearest
    // existing parent.
    QFileInfo folder(QDir::cleanPath(
        QDir::current().absoluteFilePath(normalisedOutputDirectory(project.outputDirectory))));
    while (!folder.isDir() && !folder.isRoot() &&
           folder.absoluteFilePath() != folder.absolutePath())
        folder.setFile(folder.absolutePath());
    const long limit =
        ::pathconf(PathBytes::encode(folder.absoluteFilePath()).constData(), _PC_NAME_MAX);
    return limit > 0 ? qsizetype(limit) : qsizetype(NAME_MAX);
}

bool OutputNaming::fitsFileSystem(const QString& fileName, qsizetype maxBytes)
{
    // A UTF-16 unit takes one to three bytes in UTF-8, so most names need no encoding.
    if (fileName.size() > maxBytes)
        return false;
    if (fileName.size() * 3 <= maxBytes)
        return true;
    return PathBytes::encode(fileName).size() <= maxBytes;
}

bool OutputNaming::NameRoom::fits(const QString& fileName) const
{
    return AtomicOutputFile::longestTemporaryName() <= pathBytes &&
           fitsFileSystem(fileName, qMin(nameBytes, pathBytes));
}

OutputNaming::NameRoom OutputNaming::nameRoom(const ButtonProject& project, qsizetype maxNameBytes)
{
    const QByteArray directory =
        PathBytes::encode(normalisedOutputDirectory(project.outputDirectory));
    return {maxNameBytes, PATH_MAX - 1 - directory.size()};
}

Failure OutputNaming::tooLongNameError(const ButtonProject& project, qsizetype maxBytes)
{
    const QString directory = normalisedOutputDirectory(project.outputDirectory);
    // The folders may be made by the run, on the file system of the nearest one that exists.
    for (const QString& folder : directory.split(separator, Qt::SkipEmptyParts)) {
        if (!fitsFileSystem(folder, maxBytes))
            return Failure(Failure::Code::NameTooLong, folder);
    }
    const NameRoom room = nameRoom(project, maxBytes);
    // The name alone when that is too long, or else the whole path.
    const auto refused = [&](const QString& name) {
        if (room.fits(name))
            return Failure();
        return Failure(Failure::Code::NameTooLong,
                       fitsFileSystem(name, maxBytes) ? directory + name : name);
    };
    QStringList names{samplePageFileName(project), projectCopyFileName(project)};
    if (project.cssRollovers)
        names << styleSheetFileName(project);
    for (const QString& name : names) {
        if (const Failure failure = refused(name))
            return failure;
    }
    const QList<ButtonState> states = project.drawnStates();
    const bool sprites = hasSprites(project);
    for (int n = 1; n <= project.captions.size(); ++n) {
        for (const ButtonState state : states) {
            if (const Failure failure = refused(longestImageFileName(project, n, state, 1)))
                return failure;
        }
        if (!sprites)
            continue;
        if (const Failure failure = refused(longestSpriteFileName(project, n, 1)))
            return failure;
    }
    return Failure();
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
