#pragma once

#include "ButtonSize.h"

#include <QSize>
#include <QString>
#include <QStringList>

// The texts the wizard's logic decides and its pages show: title, headings, page numbers,
// dialog captions and messages.
class WizardTexts
{
public:
    static QString applicationTitle();
    // The program's web page, as the desktop metadata names it.
    static QString webPageAddress();
    // The bold blue title line of a page index 0..15; empty for any other index.
    static QString pageHeading(int page);
    // "Page N of 16" for page index N - 1.
    static QString pageNumberText(int page);

    static QString sizeStepText(ButtonSize::Step step);
    // The warning for a Selected or Pressed own image whose size differs from the Normal
    // button's; empty when both agree.
    static QString sizeMismatchWarning(const QSize& imageSize, const QSize& normalSize);
    // Tells how many images a run dropped and why the first one was.
    static QString droppedImagesMessage(int count, const QString& firstPathStem,
                                        const QString& firstReason);
    // A file, folder or web page the desktop could not open, and why.
    static QString cannotOpen(const QString& target, const QString& reason);
    static QString generationStoppedMessage(int written, int total);
    static inline const QString nothingElseWritten =
        QStringLiteral("No sample page or project copy was written.");
    static QString generationProgress(int done, int total);
    static inline const QString stopButton = QStringLiteral("Stop");
    static inline const QString progressBarName = QStringLiteral("Images written");
    // The Generate page's line on captions the buttons cut, each shortened to shownLength
    // characters; empty when none is.
    static QString cutCaptionsNote(const QStringList& cutCaptions, int shownLength = 16);
    static inline const QString captionCutMark = QStringLiteral("Cut at the button's edge");
    static QString createDirectoryFailed(const QString& directory, const QString& reason);

    static inline const QString captionDialogTitle = QStringLiteral("Label text for Button");
    static inline const QString captionDialogPrompt = QStringLiteral("Label Text:");
    static constexpr int maxCaptionLength = 255;
    static constexpr int maxPrefixLength = 8;

    static inline const QString ownImageDialogTitle =
        QStringLiteral("Select your own background image...");
    static inline const QString ownImageFilter =
        QStringLiteral("Any Picture|*.bmp;*.jpg;*.jpeg;*.png;*.gif;*.webp|Bitmaps (*.bmp)|*.bmp|"
                       "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|PNG (*.png)|*.png|GIF (*.gif)|*.gif|"
                       "WebP (*.webp)|*.webp");
    static inline const QString outputDirectoryDialogTitle =
        QStringLiteral("Select your output directory");
    static inline const QString createDirectoryQuestion =
        QStringLiteral("The specified directory does not exist. Create it?");
    static inline const QString confirmTitle = QStringLiteral("Confirm");
    // Both option dialogs.
    static inline const QString rememberSettings =
        QStringLiteral("Remember these setting for next time");
    static inline const QString restoreDefaults = QStringLiteral("Restore to defaults");

    static inline const QString moreOptionsButton = QStringLiteral("More options\u2026");
    static inline const QString moreOptionsTitle = QStringLiteral("More options");
    static inline const QString chooseColourButton = QStringLiteral("Choose\u2026");
    static inline const QString colourOffButton = QStringLiteral("Off");
    static inline const QString helpFileName = QStringLiteral("brwk4.html");
};
