#include "ErrorText.h"

#include "PathBytes.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <iterator>

namespace {

// The bounds ImageLimits sets on every picture.
const char* const limitText = "at most 16384 pixels a side and 64 megapixels";

// The sentence of a layer's reason: %1 stands for the path, %2 for the detail (or the file
// reason), %3 for the picture limits, %4 for the system's own text for the errno (where the
// classic words would change what a message has always said), %5 for the detail quoted, %6 for
// the classic I/O text, and %7, %8 and %9 for the first, the second and the remaining fields of a
// detail split by '|' (or by a line break, for texts that may hold '|').
struct Sentence
{
    FailureReason reason;
    const char* text;
};
constexpr Sentence sentences[] = {
    {FailureReason::None, ""},
    {FailureReason::PngOpenFile, "Error Opening File %1! %2"},
    {FailureReason::PngWrite, "Error Writing PNG File!"},
    {FailureReason::PngRead, "Error Reading File!"},
    {FailureReason::EmptyPicture, "Cannot write an empty picture to \"%1\"."},
    {FailureReason::PictureTooLarge, "Picture \"%1\" is too large: %2 pixels (%3)."},
    {FailureReason::PictureEmpty, "Picture \"%1\" is empty: %2 pixels."},
    {FailureReason::JpegWrite, "Error writing JPEG file \"%1\": %2"},
    {FailureReason::JpegRead, "Error reading JPEG file \"%1\": %2"},
    {FailureReason::GifWrite, "Error writing GIF file \"%1\": %2"},
    {FailureReason::GifRead, "Error reading GIF file \"%1\": %2"},
    {FailureReason::GifNoImage, "GIF file \"%1\" holds no image."},
    {FailureReason::GifNoColorTable, "GIF file \"%1\" has no colour table."},
    {FailureReason::WebPWrite, "Error writing WebP file \"%1\": %2"},
    {FailureReason::WebPRead, "Error reading WebP file \"%1\": %2"},
    {FailureReason::UnknownExtension, "Unknown picture file extension (.%2)"},
    {FailureReason::CannotDecode, "Cannot decode %1"},
    {FailureReason::BitmapInvalid, "Bitmap image is not valid"},
    {FailureReason::BitmapTooLarge, "Bitmap image is too large (%2 pixels; %3)"},
    {FailureReason::ButtonNotDrawn, "cannot render a %2 button"},
    {FailureReason::ButtonTooLarge, "cannot render a %2 button (%3)"},
    {FailureReason::CaptionTooLong,
     "cannot render a button wider than 16384 pixels: the caption is too long"},
    {FailureReason::NormalButtonFailed, "not rendered: the normal button of this caption failed"},
    {FailureReason::DoubledPictureTooLarge,
     "cannot double the background picture to %2 pixels (%3)"},

    // The project file and the settings.
    {FailureReason::ProjectFileAccess, "%6"},
    {FailureReason::NotAnInteger, "'%2' is not a valid integer value"},
    {FailureReason::NotAColour, "'%2' is not a colour of the form #RRGGBB"},
    {FailureReason::PipeTooLarge,
     "Project read from a pipe is larger than 64 MB"}, // the reader's bound
    {FailureReason::JpegOptionsInvalid, "Invalid data type for '%2'"},
    {FailureReason::TextOptionsInvalid, "Invalid data type for '%2'"},
    {FailureReason::SettingsNotSaved, "Failed to set data for '%2'"},

    // The generation run.
    {FailureReason::InvalidPrefix, "Invalid file name prefix: %5"},
    {FailureReason::FolderNotCreated, "Cannot create folder \"%1\". %4"},
    {FailureReason::SpriteStateMissing,
     "cannot make the sprite: a state of the button was not drawn"},
    {FailureReason::SpriteStatesDiffer,
     "cannot make the sprite: the states of the button differ in size"},
    {FailureReason::SpriteTooLarge, "cannot make a %2 pixels sprite (%3)"},
    {FailureReason::CaughtException, "%2"},
    {FailureReason::CodeTooLarge, "Cannot open file \"%1\". The file is larger than %2 MB."},

    // Any file read.
    {FailureReason::NotRegularFile, "%1 is not a regular file"},

    // The generation run, checked before it writes.
    {FailureReason::CaptionsShareFile, "Captions %7 and %8 would both write \"%1\""},

    // Files refused before they are read.
    {FailureReason::SettingsTooLarge,
     "%1 is larger than 1 MB; it is not a settings file"}, // the store's bound
    {FailureReason::IsFolder, "%1 is a folder"},
    {FailureReason::ProjectTooLarge,
     "%1 is larger than 64 MB; it is not a project file"}, // the reader's bound

    // The project file, for keys written as words.
    {FailureReason::NotAChoice, "'%2' is not one of the values of this key"},

    // The generation run, judged before it starts.
    {FailureReason::RunOverBudget, "This run would take %7 MB of memory, more than the %8 MB a "
                                   "run may use, mostly for its %9 buttons."},
    {FailureReason::RunOverBudgetPicture, "This run would take %7 MB of memory, more than the %8 "
                                          "MB a run may use, mostly for the %9 picture \"%1\"."},
    {FailureReason::FormatLimit, "Cannot write \"%1\": a %7 picture is at most %8 pixels a side, "
                                 "and this one would be %9 pixels."},
};

// Each reason's sentence stands at its own index, so none is skipped or out of place.
constexpr bool inReasonOrder()
{
    for (std::size_t i = 0; i < std::size(sentences); ++i) {
        if (std::size_t(sentences[i].reason) != i)
            return false;
    }
    return true;
}
static_assert(inReasonOrder());

const char* sentenceOf(FailureReason reason)
{
    const auto index = std::size_t(reason);
    return index < std::size(sentences) ? sentences[index].text : "Unknown image file error.";
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
    case FailureReason::NotAnInteger:
    case FailureReason::NotAChoice: {
        const QString start = startOf(detail);
        return start.size() < detail.size() ? start + QLatin1String("...") : start;
    }
    case FailureReason::NotAColour:
        return detail.left(40); // cut as it always was, without a mark
    default:
        return ErrorText::reason(failure);
    }
}

// Field i of the detail, the last one with all that follows it. Captions may hold any
// character but a line break, and are shown quoted.
QString shownField(const Failure& failure, int i)
{
    const bool captions = failure.reason() == FailureReason::CaptionsShareFile;
    const QChar separator = captions ? u'\n' : u'|';
    const QString field = failure.detail().section(separator, i, i == 2 ? -1 : i);
    return captions ? quoted(field) : field;
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
    case u'6':
        return ErrorText::ioText(failure);
    default:
        return shownField(failure, digit - u'7');
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
        if (text[i] != u'%' || next.unicode() < u'1' || next.unicode() > u'9') {
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

// The folder that holds a path's last name, as the system finds it.
QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// The errno that stands for the failure: EISDIR for a path naming a folder (Qt refuses to open
// one without setting errno), EIO for none.
int effectiveError(const Failure& failure)
{
    if (!failure.path().isEmpty() && PathBytes::isFolder(failure.path()))
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
        if (path.isEmpty() || !PathBytes::isFolder(folderOf(path)))
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
    case Failure::Code::TooLarge:
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
    case FailureReason::SettingsNotSaved: {
        if (failure.path().isEmpty())
            return QString();
        // The file's own words, which the value's name took the place of.
        FailureReason cause = FailureReason::None;
        if (failure.code() == Failure::Code::NotRegular)
            cause = FailureReason::NotRegularFile;
        else if (failure.code() == Failure::Code::TooLarge)
            cause = FailureReason::SettingsTooLarge;
        return QStringLiteral("brindlewick: ") + message(failure) + QStringLiteral(": ") +
               message(failure.because(cause));
    }
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
