#include "RunBudget.h"

#include "ButtonRenderer.h"
#include "ImageLimits.h"
#include "OutputNaming.h"
#include "PredefinedBackground.h"

#include <algorithm>
#include <optional>

namespace {

constexpr qint64 megabyte = qint64(1) << 20;

// The bytes of a picture as the program keeps it: 32 bits a pixel.
qint64 bytesOf(qint64 width, qint64 height)
{
    return 4 * width * height;
}

qint64 bytesOf(const QSize& size)
{
    return size.isEmpty() ? 0 : bytesOf(size.width(), size.height());
}

const ImageFileWriter::Format allFormats[] = {
    ImageFileWriter::Format::Jpeg, ImageFileWriter::Format::Png, ImageFileWriter::Format::Gif,
    ImageFileWriter::Format::WebP};

QString formatName(ImageFileWriter::Format format)
{
    switch (format) {
    case ImageFileWriter::Format::Jpeg:
        return QStringLiteral("JPEG");
    case ImageFileWriter::Format::Gif:
        return QStringLiteral("GIF");
    case ImageFileWriter::Format::WebP:
        return QStringLiteral("WebP");
    case ImageFileWriter::Format::Png:
        break;
    }
    return QStringLiteral("PNG");
}

// The first of an image's files whose format cannot hold it. Sprites have no state.
Failure formatRefusal(const ButtonProject& project, int n, std::optional<ButtonState> state,
                      int scale, qint64 width, qint64 height)
{
    static const qint64 smallestLimit = [] {
        qint64 limit = ImageFileWriter::maxSide(allFormats[0]);
        for (const ImageFileWriter::Format format : allFormats)
            limit = qMin(limit, ImageFileWriter::maxSide(format));
        return limit;
    }();
    if (qMax(width, height) <= smallestLimit)
        return Failure();
    const QList<ImageFileWriter::Target> files =
        state ? OutputNaming::imageFiles(project, n, *state, scale)
              : OutputNaming::spriteFiles(project, n, scale);
    for (const ImageFileWriter::Target& target : files) {
        const qint64 limit = ImageFileWriter::maxSide(target.format);
        if (width > limit || height > limit) {
            return Failure(Failure::Code::Refuse, target.path)
                .because(FailureReason::FormatLimit,
                         QStringLiteral("%1|%2|%3 x %4")
                             .arg(formatName(target.format), QString::number(limit),
                                  QString::number(width), QString::number(height)));
        }
    }
    return Failure();
}

} // namespace

RunBudget::RunBudget(const ButtonProject& project, const BackgroundPictures& pictures)
    : m_project(project)
{
    for (int i = 0; i < 3; ++i) {
        const QImage& own = pictures.ownImage(ButtonState(i + 1));
        m_own[i].size = own.size();
        for (int j = 0; j < i; ++j)
            m_own[i].shared = m_own[i].shared ||
                              (!own.isNull() &&
                               own.cacheKey() == pictures.ownImage(ButtonState(j + 1)).cacheKey());
        m_predefined[i].size = pictures.predefined(ButtonState(i + 1)).size();
    }
    measureImages();
}

RunBudget::RunBudget(const ButtonProject& project, const std::array<PictureHeader, 3>& headers)
    : m_project(project)
{
    for (int i = 0; i < 3; ++i) {
        const ButtonStateStyle& style = project.style(ButtonState(i + 1));
        if (style.namesOwnImage()) {
            m_own[i].size = QSize(int(headers[i].width), int(headers[i].height));
            m_own[i].decodeBytes = headers[i].decodeBytes;
        }
        for (int j = 0; j < i; ++j) {
            const ButtonStateStyle& earlier = project.style(ButtonState(j + 1));
            m_own[i].shared =
                m_own[i].shared || (style.namesOwnImage() && earlier.namesOwnImage() &&
                                    earlier.imageFileName == style.imageFileName);
        }
        const QSize predefined = PredefinedBackground::size(style.predefinedIndex);
        m_predefined[i].size = predefined.isValid() ? predefined : QSize();
    }
    measureImages();
}

QSize RunBudget::normalSize() const
{
    QSize picture;
    if (m_project.normal.backgroundKind == BackgroundKind::OwnImage)
        picture = m_own[0].size;
    else if (m_project.normal.backgroundKind == BackgroundKind::Predefined)
        picture = m_predefined[0].size;
    return picture.isEmpty() ? QSize(m_project.buttonWidth, m_project.buttonHeight) : picture;
}

void RunBudget::measureImages()
{
    if (!m_project.variableWidth) {
        // Every caption's images have the same size: the first stands for them all.
        if (!m_project.captions.isEmpty())
            measureCaption(1, normalSize().width());
        return;
    }
    // The widths are the renderer's own, whatever the pictures.
    const BackgroundPictures none;
    const TextOffsetOptions offsets;
    ButtonSizeTables sizes;
    ButtonRenderer renderer(m_project, none, offsets, sizes);
    for (int n = 1; n <= m_project.captions.size(); ++n) {
        const QSize fit = renderer.fit(ButtonState::Normal, n, m_project.captions.at(n - 1)).size;
        if (!fit.isEmpty())
            measureCaption(n, fit.width());
    }
}

void RunBudget::measureCaption(int n, qint64 width)
{
    const qint64 height = normalSize().height();
    // Without its Normal button a caption draws nothing at all.
    if (!ImageLimits::fits(width, height))
        return;
    if (width * height > qint64(m_images.largestButton.width()) * m_images.largestButton.height())
        m_images.largestButton = QSize(int(width), int(height));
    const qint64 states = 1 + m_project.extraStates().size();
    const bool sprites = OutputNaming::hasSprites(m_project);
    const bool twins = m_project.hiDpiImages;
    struct Kind
    {
        bool drawn;
        qint64 width;
        qint64 height;
        qint64* largest;
        std::optional<ButtonState> state;
        int scale;
    };
    const Kind kinds[] = {
        {true, width, height, &m_images.single, ButtonState::Normal, 1},
        {twins, 2 * width, 2 * height, &m_images.twin, ButtonState::Normal, 2},
        {sprites, width, states * height, &m_images.sprite, std::nullopt, 1},
        {sprites && twins, 2 * width, 2 * states * height, &m_images.spriteTwin, std::nullopt, 2},
    };
    for (const Kind& kind : kinds) {
        if (!kind.drawn || !ImageLimits::fits(kind.width, kind.height))
            continue;
        *kind.largest = qMax(*kind.largest, bytesOf(kind.width, kind.height));
        if (!m_images.formatRefusal)
            m_images.formatRefusal =
                formatRefusal(m_project, n, kind.state, kind.scale, kind.width, kind.height);
    }
}

int RunBudget::workingFactor() const
{
    // An image and what its encoders take beside it, measured on pictures of noise, the worst
    // case: libwebp's lossless encoder about ten times its bytes, the others (PNG's growing
    // output, JPEG's) up to two and a half.
    return m_project.webPImages ? 12 : 4;
}

qint64 RunBudget::largestImage() const
{
    return std::max({m_images.single, m_images.twin, m_images.sprite, m_images.spriteTwin});
}

qint64 RunBudget::callerBytes() const
{
    // The image being drawn, and a caption's states and twins kept until its sprites are made.
    const qint64 kept = OutputNaming::hasSprites(m_project) ? (1 + m_project.extraStates().size()) *
                                                                  (m_images.single + m_images.twin)
                                                            : 0;
    return largestImage() + kept;
}

RunBudget::Cost RunBudget::costOf(const Picture& picture) const
{
    if (picture.shared || picture.size.isEmpty())
        return {};
    // With transparent pictures, one with a transparent surround has its coverage beside it,
    // a byte a pixel.
    const qint64 held = bytesOf(picture.size) * (m_project.transparentPictures ? 5 : 4) / 4;
    const bool doubled =
        m_project.hiDpiImages &&
        ImageLimits::fits(2 * qint64(picture.size.width()), 2 * qint64(picture.size.height()));
    return {held, doubled ? 5 * held : held, qMax(qint64(0), picture.decodeBytes - held)};
}

qint64 RunBudget::picturesBytes() const
{
    qint64 bytes = 0;
    for (int i = 0; i < 3; ++i)
        bytes += costOf(m_own[i]).kept + costOf(m_predefined[i]).kept;
    return bytes;
}

qint64 RunBudget::encoderBytes() const
{
    const qint64 left =
        (ImageLimits::runBudget - picturesBytes() - callerBytes()) / workingFactor();
    return qMax(qMax(left, largestImage()), qint64(1));
}

Failure RunBudget::check() const
{
    if (m_images.formatRefusal)
        return m_images.formatRefusal;
    const qint64 images = callerBytes() + largestImage() * workingFactor();
    // Before the run the pictures are decoded one by one, each with its decoder's own memory.
    qint64 held = 0;
    qint64 decoding = 0;
    int largest = -1;
    qint64 largestBytes = 0;
    for (int i = 0; i < 3; ++i) {
        const Cost own = costOf(m_own[i]);
        held += own.held + costOf(m_predefined[i]).held;
        decoding = qMax(decoding, own.decoding);
        if (own.kept + own.decoding > largestBytes) {
            largestBytes = own.kept + own.decoding;
            largest = i;
        }
    }
    const qint64 need = qMax(held + decoding, picturesBytes() + images);
    if (need <= ImageLimits::runBudget)
        return Failure();
    const bool byPicture = largest >= 0 && largestBytes > images;
    const QSize cause = byPicture ? m_own[largest].size : m_images.largestButton;
    const QString detail =
        QStringLiteral("%1|%2|%3 x %4")
            .arg(QString::number((need + megabyte - 1) / megabyte),
                 QString::number(ImageLimits::runBudget / megabyte), QString::number(cause.width()),
                 QString::number(cause.height()));
    if (!byPicture)
        return Failure(Failure::Code::Refuse, FailureReason::RunOverBudget, detail);
    return Failure(Failure::Code::Refuse, m_project.style(ButtonState(largest + 1)).imageFileName)
        .because(FailureReason::RunOverBudgetPicture, detail);
}
