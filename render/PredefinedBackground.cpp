#include "PredefinedBackground.h"

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ImageLimits.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QRegularExpression>

// Outside any namespace, as the resource initialiser requires.
static void initBackgroundResources()
{
    Q_INIT_RESOURCE(backgrounds);
}

namespace {

struct Entry
{
    const char* text;
    int width;
    int height;
};

// Texts as the selection lists show them, trailing blanks and all.
const Entry entries[PredefinedBackground::count] = {
    {"146x34 yellow button ", 146, 34},
    {"146x34 blue button  ", 146, 34},
    {"146x34 light blue button ", 146, 34},
    {"146x34 red button ", 146, 34},
    {"146x34 orange button ", 146, 34},
    {"146x34 green button ", 146, 34},
    {"146x34 yellow-green button ", 146, 34},
    {"146x34 cyan button ", 146, 34},
    {"146x34 magenta button ", 146, 34},
    {"146x34 purple button ", 146, 34},
    {"153x36 yellow plate", 153, 36},
    {"153x36 blue plate", 153, 36},
    {"153x36 light blue plate", 153, 36},
    {"153x36 red plate", 153, 36},
    {"153x36 orange plate", 153, 36},
    {"153x36 green plate", 153, 36},
    {"153x36 yellow-green plate", 153, 36},
    {"153x36 cyan plate", 153, 36},
    {"153x36 magenta plate", 153, 36},
    {"153x36 purple plate", 153, 36},
    {"150x40 yellow explosion", 150, 40},
    {"150x40 blue explosion", 150, 40},
    {"150x40 loght blue explosion", 150, 40},
    {"150x40 red explosion", 150, 40},
    {"150x40 orange explosion", 150, 40},
    {"150x40 green explosion", 150, 40},
    {"150x40 yellow-green explosion", 150, 40},
    {"150x40 cyan explosion", 150, 40},
    {"150x40 magenta explosion", 150, 40},
    {"150x40 purple explosion", 150, 40},
    {"170x40 yellow flying box border", 170, 40},
    {"170x40 blue flying box border", 170, 40},
    {"170x40 light blue flying box border", 170, 40},
    {"170x40 red flying box border", 170, 40},
    {"170x40 orange flying box border", 170, 40},
    {"170x40 green flying box border", 170, 40},
    {"170x40 yellow-green flying box border", 170, 40},
    {"170x40 cyan flying box border", 170, 40},
    {"170x40 magenta flying box border", 170, 40},
    {"170x40 flying purple box border", 170, 40},
    {"155x35 yellow oval button", 155, 35},
    {"155x35 blue oval button", 155, 35},
    {"155x35 light blue oval button", 155, 35},
    {"155x35 red oval button", 155, 35},
    {"155x35 orange oval button", 155, 35},
    {"155x35 green oval button", 155, 35},
    {"155x35 yellow-green oval button", 155, 35},
    {"155x35 cyan oval button", 155, 35},
    {"155x35 magenta oval button", 155, 35},
    {"155x35 oval purple button", 155, 35},
    {"100x30 gray simple button", 100, 30},
    {"100x30 light gray simple button", 100, 30},
    {"100x30 red simple button", 100, 30},
    {"100x30 yellow-green simple button", 100, 30},
    {"100x30 green simple button", 100, 30},
    {"100x30 cyan simple button", 100, 30},
    {"100x30 blue simple button", 100, 30},
    {"100x30 purple simple button", 100, 30},
    {"100x30 green 2 simple button", 100, 30},
    {"100x30 green 3 simple button", 100, 30},
    {"100x30 blue 2 simple button", 100, 30},
    {"100x30 blue 3 simple button", 100, 30},
    {"100x30 purple-red simple button", 100, 30},
    {"100x30 brown-orange simple button", 100, 30},
    {"107x37 yellow rounded button ", 107, 37},
    {"107x37 blue rounded button  ", 107, 37},
    {"107x37 light blue rounded button ", 107, 37},
    {"107x37 red rounded button ", 107, 37},
    {"107x37 orange rounded button ", 107, 37},
    {"107x37 green rounded button ", 107, 37},
    {"107x37 yellow-green rounded button ", 107, 37},
    {"107x37 cyan rounded button ", 107, 37},
    {"107x37 magenta rounded button ", 107, 37},
    {"107x37 purple rounded button ", 107, 37},
    {"150x40 silver control button", 150, 40},
    {"150x40 red control button", 150, 40},
    {"150x40 gold control button", 150, 40},
    {"150x40 purple control button", 150, 40},
    {"150x40 green control button", 150, 40},
    {"150x40 blue control button", 150, 40},
    {"150x40 brown control button", 150, 40},
    {"150x40 yellow control button", 150, 40},
    {"163x43 yellow gem button ", 163, 43},
    {"163x43 blue gem button  ", 163, 43},
    {"163x43 light blue gem button ", 163, 43},
    {"163x43 red gem button ", 163, 43},
    {"163x43 orange gem button ", 163, 43},
    {"163x43 green gem button ", 163, 43},
    {"163x43 yellow-green gem button ", 163, 43},
    {"163x43 cyan gem button ", 163, 43},
    {"163x43 magenta gem button ", 163, 43},
    {"163x43 purple gem button ", 163, 43},
    {"172x31 texture 1 button", 172, 31},
    {"172x31 texture 2 button", 172, 31},
    {"172x31 texture 3 button", 172, 31},
    {"172x31 texture 4 button", 172, 31},
    {"172x31 texture 5 button", 172, 31},
    {"172x31 texture 6 button", 172, 31},
    {"172x31 texture 7 button", 172, 31},
    {"172x31 texture 8 button", 172, 31},
};

QString pathOf(const QString& lowerCaseName, const char* extension = ".bmp")
{
    // A static library drops the resource object unless something refers to it.
    static const bool initialised = (initBackgroundResources(), true);
    Q_UNUSED(initialised);
    return QStringLiteral(":/backgrounds/") + lowerCaseName + QLatin1String(extension);
}

bool inCatalogue(int index)
{
    return index >= 0 && index < PredefinedBackground::count;
}

} // namespace

QString PredefinedBackground::listText(int index)
{
    return inCatalogue(index) ? QString::fromLatin1(entries[index].text) : QString();
}

QStringList PredefinedBackground::listTexts()
{
    QStringList texts;
    texts.reserve(count);
    for (int i = 0; i < count; ++i)
        texts << listText(i);
    return texts;
}

QSize PredefinedBackground::size(int index)
{
    return inCatalogue(index) ? QSize(entries[index].width, entries[index].height) : QSize();
}

QString PredefinedBackground::resourceName(int index)
{
    return inCatalogue(index) ? QStringLiteral("b%1").arg(index + 1) : QString();
}

QImage PredefinedBackground::load(int index)
{
    return inCatalogue(index) ? loadByName(resourceName(index)) : QImage();
}

QString PredefinedBackground::resourcePath(int index)
{
    return inCatalogue(index) ? pathOf(resourceName(index)) : QString();
}

QImage PredefinedBackground::loadDoubleSize(int index)
{
    if (!inCatalogue(index))
        return QImage();
    QImageReader reader(pathOf(resourceName(index) + QStringLiteral("@2x")), "bmp");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.size() != size(index) * 2)
        return QImage();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage PredefinedBackground::loadByName(const QString& name)
{
    static const QRegularExpression pictureName(QStringLiteral("^b[1-9][0-9]{0,2}$"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (!pictureName.match(name).hasMatch())
        return QImage();
    const QString path = pathOf(name.toLower());
    if (!QFile::exists(path))
        return QImage();
    QImageReader reader(path, "bmp");
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull())
        return QImage();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage PredefinedBackground::loadCoverage(int index, int scale)
{
    if (!inCatalogue(index) || (scale != 1 && scale != 2))
        return QImage();
    const QString path = pathOf(
        resourceName(index) + (scale == 2 ? QStringLiteral("@2x") : QString()), "-alpha.png");
    if (!QFile::exists(path))
        return QImage();
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    const QImage coverage = reader.read();
    if (coverage.size() != size(index) * scale)
        return QImage();
    return coverage.convertToFormat(QImage::Format_Grayscale8);
}

void PredefinedBackground::reloadPicture(const ButtonProject& project, BackgroundPictures& pictures,
                                         ButtonState state)
{
    const int index = project.style(state).predefinedIndex;
    pictures.setPredefined(state, load(index), loadCoverage(index));
}

void PredefinedBackground::reloadPictures(const ButtonProject& project,
                                          BackgroundPictures& pictures)
{
    for (ButtonState state : {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed})
        reloadPicture(project, pictures, state);
}

BackgroundPictures PredefinedBackground::doubleSizePictures(const ButtonProject& project,
                                                            const BackgroundPictures& pictures)
{
    BackgroundPictures doubled;
    // States that share a picture share its double too.
    QHash<qint64, QImage> done;
    // The size is judged before scaling: a small file may declare a picture that fits only
    // at its own size.
    const auto scaledUp = [&](ButtonState state, BackgroundKind kind, const QImage& image) {
        if (image.isNull())
            return image;
        if (done.contains(image.cacheKey()))
            return done.value(image.cacheKey());
        const qint64 width = qint64(image.width()) * 2;
        const qint64 height = qint64(image.height()) * 2;
        if (!ImageLimits::fits(width, height)) {
            doubled.setRefusal(state, kind,
                               Failure(Failure::Code::Refuse, FailureReason::DoubledPictureTooLarge,
                                       QStringLiteral("%1 x %2").arg(width).arg(height)));
            return QImage();
        }
        const QImage scaled =
            image.scaled(int(width), int(height), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        done.insert(image.cacheKey(), scaled);
        return scaled;
    };
    for (ButtonState state : {ButtonState::Normal, ButtonState::Selected, ButtonState::Pressed}) {
        const QImage& predefined = pictures.predefined(state);
        const int index = project.style(state).predefinedIndex;
        QImage drawn;
        if (!predefined.isNull() && predefined.size() == size(index) && predefined == load(index))
            drawn = loadDoubleSize(index);
        const auto twice = [&](BackgroundKind kind, const QImage& picture) {
            return scaledUp(state, kind, picture);
        };
        const QImage& coverage = pictures.coverageFor(state, BackgroundKind::Predefined);
        if (drawn.isNull())
            doubled.setPredefined(state, twice(BackgroundKind::Predefined, predefined),
                                  twice(BackgroundKind::Predefined, coverage));
        else
            doubled.setPredefined(state, drawn,
                                  coverage.isNull() ? coverage : loadCoverage(index, 2));
        doubled.setOwnImage(
            state, twice(BackgroundKind::OwnImage, pictures.ownImage(state)),
            twice(BackgroundKind::OwnImage, pictures.coverageFor(state, BackgroundKind::OwnImage)));
    }
    return doubled;
}
