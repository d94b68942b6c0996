#include "WizardTexts.h"

#include "PageFlow.h"

#include <QDir>

QString WizardTexts::applicationTitle()
{
    return QStringLiteral("The Brindlewick v4.00");
}

QString WizardTexts::webPageAddress()
{
    return QStringLiteral(BRINDLEWICK_HOMEPAGE_URL);
}

QString WizardTexts::cannotOpen(const QString& target, const QString& reason)
{
    return QStringLiteral("Cannot open \"%1\". %2").arg(QDir::toNativeSeparators(target), reason);
}

QString WizardTexts::pageHeading(int page)
{
    static const char* const headings[PageFlow::PageCount] = {
        "Welcome to the Brindlewick",
        "Enter the text to be used as captions on your buttons",
        "Select the JavaScript Options to Generate.",
        "Normal Buttons",
        "Normal Buttons Options",
        "Normal Buttons Text Font",
        "Buttons when Selected",
        "Buttons when Selected Options",
        "\"Buttons when Selected\" Text Font",
        "\"Buttons Pressed\" ",
        "\"Buttons Pressed\" Options",
        "\"Buttons Pressed\" Text Font",
        "Select your output directory for the image files and sample HTML file",
        "Specify the Options for the HTML sample file",
        "Generate the Image Files and sample HTML file",
        "All Finished!",
    };
    if (page < 0 || page >= PageFlow::PageCount)
        return QString();
    return QString::fromLatin1(headings[page]);
}

QString WizardTexts::pageNumberText(int page)
{
    return QStringLiteral("Page %1 of %2").arg(page + 1).arg(int(PageFlow::PageCount));
}

QString WizardTexts::sizeStepText(ButtonSize::Step step)
{
    const int delta = ButtonSize::stepDelta(step);
    return (delta > 0 ? QStringLiteral("+") : QString()) + QString::number(delta);
}

QString WizardTexts::sizeMismatchWarning(const QSize& imageSize, const QSize& normalSize)
{
    if (imageSize == normalSize)
        return QString();
    return QStringLiteral("Warning! Image dimensions %1x%2 are different from size of normal "
                          "button %3x%4")
        .arg(imageSize.height())
        .arg(imageSize.width())
        .arg(normalSize.height())
        .arg(normalSize.width());
}

QString WizardTexts::droppedImagesMessage(int count, const QString& firstPathStem,
                                          const QString& firstReason)
{
    const QString head = count == 1 ? QStringLiteral("1 image could not be written.")
                                    : QStringLiteral("%1 images could not be written.").arg(count);
    return head + QStringLiteral("\n\nThe first, %1:\n%2").arg(firstPathStem, firstReason);
}

QString WizardTexts::createDirectoryFailed(const QString& directory, const QString& reason)
{
    return QStringLiteral("The directory %1 could not be created: %2").arg(directory, reason);
}

QString WizardTexts::generationStoppedMessage(int written, int total)
{
    return QStringLiteral("Generation stopped: %1 of %2 images written").arg(written).arg(total);
}

QString WizardTexts::generationProgress(int done, int total)
{
    return QStringLiteral("Images done: %1 of %2").arg(done).arg(total);
}

QString WizardTexts::cutCaptionsNote(const QStringList& cutCaptions, int shownLength)
{
    if (cutCaptions.isEmpty())
        return QString();
    constexpr int listed = 3;
    QStringList quoted;
    for (const QString& caption : cutCaptions.mid(0, listed)) {
        const QString shown =
            caption.size() > shownLength ? caption.left(shownLength - 1) + QChar(0x2026) : caption;
        quoted.append(QLatin1Char('"') + shown + QLatin1Char('"'));
    }
    QString note = QStringLiteral("Cut by the button: ") + quoted.join(QStringLiteral(", "));
    if (cutCaptions.size() > listed)
        note += QStringLiteral(" and %1 more").arg(cutCaptions.size() - listed);
    return note;
}
