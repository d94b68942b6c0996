#include "PicturePreview.h"

#include "ErrorText.h"
#include "OwnImageLoader.h"

#include <QFileInfo>

PicturePreview::Shown PicturePreview::of(const QString& path, int side)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return {};
    OwnImageLoader loader;
    if (const Failure failure = loader.load(path))
        return {QImage(), ErrorText::message(failure)};
    QImage image = loader.image();
    if (image.width() > side || image.height() > side)
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return {image, QString()};
}
