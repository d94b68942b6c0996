#include "ErrorText.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace {

// The bounds ImageLimits sets on every picture.
const char* const limitText = "at most 16384 pixels a side and 64 megapixels";

// The sentence of a layer's reason: %1 stands for the path, %2 for the detail (or the file
// reason), %3 for the picture limits, %4 for the system's own text for the errno (where the
// classic words would change what a message has always said), %5 for the detail quoted, %6 for
// the classic I/O text.
const char* sentenceOf(FailureReason reason)
{
    switch (reason) {
    case FailureReason::None:
        return "";
    case FailureReason::PngOpenFile:
        return "Error Opening File %1! %2";
    case FailureReason::PngWrite:
        return "Error Writing PNG File!";
    case FailureReason::PngRead:
        return "Error Reading File!";
    case FailureReason::EmptyPicture:
        return "Cannot write an empty picture to \"%1\".";
    case FailureReason::PictureTooLarge:
        return "Picture \"%1\" is too large: %2 pixels (%3).";
    case FailureReason::PictureEmpty:
        return "Picture \"%1\" is empty: %2 pixels.";
    case FailureReason::JpegWrite:
        return "Error writing JPEG file \"%1\": %2";
    case FailureReason::JpegRead:
        return "Error reading JPEG file \"%1\": %2";
    case FailureReason::GifWrite:
        return "Error writing GIF file \"%1\": %2";
    case FailureReason::GifRead:
        return "Error reading GIF file \"%1\": %2";
    case FailureReason::GifNoImage:
        return "GIF file \"%1\" holds no image.";
    case FailureReason::GifNoColorTable:
        return "GIF file \"%1\" has no colour table.";
    case FailureReason::WebPWrite:
        return "Error writing WebP file \"%1\": %2";
    case FailureReason::WebPRead:
        return "Error reading WebP file \"%1\": %2";
    case FailureReason::UnknownExtension:
        return "Unknown picture file extension (.%2)";
    case FailureReason::CannotDecode:
        return "Cannot decode %1";
    case FailureReason::BitmapInvalid:
        return "Bitmap image is not valid";
    case FailureReason::BitmapTooLarge:
        return "Bitmap image is too large (%2 pixels; %3)";
    case FailureReason::ButtonNotDrawn:
        return "cannot render a %2 button";
    case FailureReason::ButtonTooLarge:
        return "cannot render a %2 button (%3)";
    case FailureReason::CaptionTooLong:
        return "cannot render a button wider than 16384 pixels: the caption is too long";
    case FailureReason::NormalButtonFailed:
        return "not rendered: the normal button of this caption failed";
    case FailureReason::DoubledPictureTooLarge:
        return "cannot double the background picture to %2 pixels (%3)";

        // The project file and the settings.
    case FailureReason::ProjectFileAccess:
        return "%6";
    case FailureReason::NotAnInteger:
        return "'%2' is not a valid integer value";
    case FailureReason::NotAColour:
        return "'%2' is not a colour of the form #RRGGBB";
    case FailureReason::PipeTooLarge:
        return "Project read from a pipe is larger than 64 MB"; // the reader's bound
    case FailureReason::JpegOptionsInvalid:
    case FailureReason::TextOptionsInvalid:
        return "Invalid data type for '%2'";
    case FailureReason::SettingsNotSaved:
        return "Failed to set data for '%2'";

        // The generation run.
    case FailureReason::InvalidPrefix:
        return "Invalid file name prefix: %5";
    case FailureReason::FolderNotCreated:
        return "Cannot create folder \"%1\". %4";
    case FailureReason::SpriteStateMissing:
        return "cannot make the sprite: a state of the button was not drawn";
    case FailureReason::SpriteStatesDiffer:
        return "cannot make the sprite: the states of the button differ in size";
    case FailureReason::SpriteTooLarge:
        return "cannot make a %2 pixels sprite (%3)";
    case FailureReason::CaughtException:
        return "%2";
    case FailureReason::CodeTooLarge:
        return "Cannot open file \"%1\". The file is larger than %2 MB.";
    }
    return "Unknown image file error.";
}

// No more of a long name or value than this is shown, and never half a character.
QString startOf(const QString& text)
{
    constexpr qsizetype shown = 40;
    qsizetype n = qMin(text.size(), shown);
    if (n < text.size() && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

// Text in double quotes, with quotes, backslashes and control characters escaped, and no more
// of it than of a name too long.
QString quoted(const QString& text)
{
    const QString shown = startOf(text);
    QString result = QStringLiteral("\"");
    for (const QChar c : shown) {
        if (c == u'"' || c == u'\\')
            result += QStringLiteral("\\") + c;
        else if (c.category() == QChar::Other_Control) // all of them below U+00A0
            result += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            result += c;
    }
    if (shown.size() < text.size())
        result += QStringLiteral("...");
    return result + u'"';
}

// The detail as a sentence shows it. A value quoted from a project file may be a megabyte long.
QString shownDetail(const Failure& failure)
{
    const QString& detail = failure.detail();
    switch (failure.reason()) {
    case FailureReason::NotAnInteger: {
        const QString start = startOf(detail);
        return start.size() < detail.size() ? start + QLatin1String("...") : start;
    }
    case FailureReason::NotAColour:
        return detail.left(40); // cut as it always was, without a mark
    default:
        return ErrorText::reason(failure);
    }
}

QString placeholder(char16_t digit, const Failure& failure)
{
    switch (digit) {
    case u'1':
        return failure.path();
    case u'2':
        return shownDetail(failure);
    case u'3':
        return QLatin1String(limitText);
    case u'4':
        return QString::fromLocal8Bit(
            std::strerror(failure.systemError() ? failure.systemError() : EIO));
    case u'5':
        return quoted(failure.detail());
    default:
        return ErrorText::ioText(failure);
    }
}

// Substituted by hand: a path may itself hold "%2".
QString sentence(const Failure& failure)
{
    const QString text = QString::fromLatin1(sentenceOf(failure.reason()));
    QString result;
    result.reserve(text.size() + failure.path().size() + failure.detail().size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] != u'%' || next.unicode() < u'1' || next.unicode() > u'6') {
            result += text[i];
            continue;
        }
        result += placeholder(next.unicode(), failure);
        ++i;
    }
    return result;
}

const char* verbOf(Failure::Code code)
{
    switch (code) {
    case Failure::Code::Open:
        return "open";
    case Failure::Code::Create:
        return "create";
    case Failure::Code::Write:
    case Failure::Code::Close:
    case Failure::Code::Encode:
    case Failure::Code::Refuse:
        return "write";
    case Failure::Code::Rename:
        return "replace";
    case Failure::Code::Lock:
        return "lock";
    default:
        return "read";
    }
}

// The errno that stands for the failure: EISDIR for a path naming a folder (Qt refuses to open
// one without setting errno), EIO for none.
int effectiveError(const Failure& failure)
{
    if (!failure.path().isEmpty() && QFileInfo(failure.path()).isDir())
        return EISDIR;
    return failure.systemError() ? failure.systemError() : EIO;
}

} // namespace

QString ErrorText::classicText(int code)
{
    switch (code) {
    case FileNotFound:
        return QStringLiteral("File not found");
    case InvalidFilename:
        return QStringLiteral("Invalid filename");
    case TooManyOpenFiles:
        return QStringLiteral("Too many open files");
    case AccessDenied:
        return QStringLiteral("File access denied");
    case ReadBeyondEnd:
        return QStringLiteral("Read beyond end of file");
    case DiskFull:
        return QStringLiteral("Disk full");
    case InvalidNumericInput:
        return QStringLiteral("Invalid numeric input");
    default:
        return QStringLiteral("I/O error %1").arg(code);
    }
}

int ErrorText::classicCode(int error, const QString& path)
{
    switch (error) {
    case ENOENT:
        if (path.isEmpty() || !QFileInfo(path).absoluteDir().exists())
            return InvalidFilename;
        return FileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
    case ELOOP:
        return InvalidFilename;
    case EMFILE:
    case ENFILE:
        return TooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        return AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    default:
        return 0;
    }
}

QString ErrorText::reason(const Failure& failure)
{
    if (!failure.detail().isEmpty())
        return failure.detail();
    switch (failure.code()) {
    case Failure::Code::None:
    case Failure::Code::Encode:
    case Failure::Code::Decode:
    case Failure::Code::Refuse:
        return QString(); // no errno stands behind these
    case Failure::Code::NotRegular:
        return QStringLiteral("Not a regular file");
    case Failure::Code::Unparsable:
        return QStringLiteral("Its contents cannot be parsed");
    default:
        break;
    }
    // The other classic texts stay with project files: "Invalid filename" for a missing folder
    // says less than the system does.
    const int error = effectiveError(failure);
    const int code = classicCode(error, failure.path());
    if (code == DiskFull || code == TooManyOpenFiles)
        return classicText(code);
    return QString::fromLocal8Bit(std::strerror(error));
}

QString ErrorText::ioText(const Failure& failure)
{
    // The errno number never goes through classicText(): EIO is 5 here and must not read as
    // "File access denied".
    const int error = effectiveError(failure);
    const int code = classicCode(error, failure.path());
    return code ? classicText(code) : QStringLiteral("I/O error %1").arg(error);
}

QString ErrorText::message(const Failure& failure)
{
    if (!failure)
        return QString();
    if (failure.reason() != FailureReason::None)
        return sentence(failure);
    if (failure.code() == Failure::Code::NameTooLong) {
        const QString name = startOf(failure.path());
        return name.isEmpty() ? QStringLiteral("File name too long")
                              : QStringLiteral("File name too long: ") + name;
    }
    return QStringLiteral("Cannot %1 file \"").arg(QLatin1String(verbOf(failure.code()))) +
           failure.path() + QStringLiteral("\". ") + reason(failure);
}

bool ErrorText::showsWholePath(const Failure& failure)
{
    if (failure.path().isEmpty())
        return true;
    if (failure.reason() != FailureReason::None)
        return std::strstr(sentenceOf(failure.reason()), "%1") != nullptr;
    if (failure.code() == Failure::Code::NameTooLong)
        return startOf(failure.path()) == failure.path();
    return true;
}

QString ErrorText::messageWithPath(const Failure& failure)
{
    const QString text = message(failure);
    if (showsWholePath(failure))
        return text;
    return text + QLatin1String(" (") + failure.path() + QLatin1Char(')');
}

QString ErrorText::settingsLine(const Failure& failure)
{
    switch (failure.reason()) {
    case FailureReason::SettingsNotSaved:
        if (failure.path().isEmpty())
            return QString();
        return QStringLiteral("brindlewick: ") + message(failure) + QStringLiteral(": ") +
               message(failure.because(FailureReason::None));
    case FailureReason::JpegOptionsInvalid:
    case FailureReason::TextOptionsInvalid: {
        const bool jpeg = failure.reason() == FailureReason::JpegOptionsInvalid;
        return QStringLiteral("brindlewick: warning: %1 in %2; the default %3 are used")
            .arg(message(failure), failure.path(),
                 jpeg ? QStringLiteral("JPEG options") : QStringLiteral("offsets and indents"));
    }
    default:
        return QStringLiteral("brindlewick: warning: %1; the default options are used")
            .arg(message(failure));
    }
}
