#include "SizeRefusal.h"

#include "ImageLimits.h"

Failure sizeRefusal(const QString& path, qint64 width, qint64 height)
{
    return Failure(Failure::Code::Refuse, path)
        .because(ImageLimits::isEmpty(width, height) ? FailureReason::PictureEmpty
                                                     : FailureReason::PictureTooLarge,
                 QStringLiteral("%1 x %2").arg(width).arg(height));
}
