#include "SizeRefusal.h"

#include "ImageLimits.h"

Failure sizeRefusal(const QString& path, qint64 width, qint64 height)
{
    const bool empty = ImageLimits::judge(width, height) == ImageLimits::Verdict::Empty;
    return Failure(Failure::Code::Refuse, path)
        .because(empty ? FailureReason::PictureEmpty : FailureReason::PictureTooLarge,
                 ImageLimits::sizeText(width, height));
}
