#pragma once

#include "ButtonProject.h"
#include "Failure.h"
#include "ImageFileWriter.h"

#include <QList>
#include <QString>

#include <optional>

// Where every generated file goes and what it is called. The wizard, the sample page, the
// browser preview and the command line all find the files through these rules.
//
// "/" is the directory separator. Only file names are lower-cased: on a case-sensitive file
// system lower-casing the directory would point somewhere else.
class OutputNaming
{
public:
    // The output directory with exactly one trailing "/" (a root "/" stays "/"). An empty
    // text means the current directory, "./", rather than the file system root.
    static QString normalisedOutputDirectory(const QString& outputDirectory);

    // The caption without control characters (NUL included) and with the eleven characters
    // that file systems or URLs dislike replaced by letters or "-"; letter case kept. Having no
    // "/", it always names a file inside the output directory.
    static QString captionFileName(const QString& caption);

    // No failure when the prefix is fine. Refused: "/", "\", NUL or any other control
    // character, and "." or "..", any of which could place files outside the output directory
    // or under names that are lost.
    static Failure prefixError(const QString& prefix);

    // The name of caption n (1-based): its caption file name, or the prefix and n.
    static QString buttonFileName(const ButtonProject& project, int captionIndex);

    static QString stateSuffix(ButtonState state);

    // ".png", ".jpg" or ".gif"; PNG for a format not chosen.
    static QString extension(ImageFileFormat format);

    // The format the project's images are chosen in, and the one the page prefers: WebP when
    // the project writes it, or else the chosen one.
    static ImageFileWriter::Format chosenFormat(const ButtonProject& project);
    static ImageFileWriter::Format pageFormat(const ButtonProject& project);
    // What follows the button file name in the name of one of its images: the state's suffix, or
    // "-sprite" for the sprite (no state), then "@2x" at scale 2.
    static QString stemSuffix(std::optional<ButtonState> state, int scale);
    // One of caption n's images, or its sprite (no state), as a file of that format.
    static QString fileName(const ButtonProject& project, int captionIndex,
                            std::optional<ButtonState> state, int scale,
                            ImageFileWriter::Format format);

    // The name the page shows: the WebP file when the project writes them, or else the file of
    // the chosen format.
    static QString pageImageFileName(const ButtonProject& project, int captionIndex,
                                     ButtonState state, int scale);
    // The longest of the names one image is written under, to check against the file system.
    static QString longestImageFileName(const ButtonProject& project, int captionIndex,
                                        ButtonState state, int scale);

    // Directory + the lower-cased button file name + state suffix, "@2x" at scale 2: the image's
    // files without their extensions, as messages name the image.
    static QString imagePathStem(const ButtonProject& project, int captionIndex, ButtonState state,
                                 int scale = 1);
    // Every file one image is written as, in writing order: JPEG, PNG and GIF, then WebP when the
    // project writes it.
    static QList<ImageFileWriter::Target> imageFiles(const ButtonProject& project, int captionIndex,
                                                     ButtonState state, int scale = 1);

    // Whether a run writes sprites and a stylesheet: CSS rollovers with a state to roll to.
    static bool hasSprites(const ButtonProject& project);

    // Directory + the lower-cased button file name + "-sprite", "@2x" at scale 2: all the
    // states the page shows, stacked top to bottom.
    static QString spritePathStem(const ButtonProject& project, int captionIndex, int scale = 1);
    // The sprite's files: the chosen format, then WebP when the project writes it.
    static QList<ImageFileWriter::Target> spriteFiles(const ButtonProject& project,
                                                      int captionIndex, int scale = 1);
    // As pageImageFileName and longestImageFileName, for the sprite.
    static QString pageSpriteFileName(const ButtonProject& project, int captionIndex, int scale);
    static QString longestSpriteFileName(const ButtonProject& project, int captionIndex, int scale);

    // The page button n links to: its caption file name + ".html", letter case kept. The
    // program does not write it.
    static QString linkFileName(const ButtonProject& project, int captionIndex);

    // Prefix + "PAGE.html"; the prefix keeps its letter case.
    static QString samplePageFileName(const ButtonProject& project);
    static QString samplePagePath(const ButtonProject& project);
    // The page's stylesheet, named as the page is: prefix + "PAGE.css".
    static QString styleSheetFileName(const ButtonProject& project);
    static QString styleSheetPath(const ButtonProject& project);

    // Lower-cased (prefix unless captions are names) + "project.blp".
    static QString projectCopyFileName(const ButtonProject& project);
    static QString projectCopyPath(const ButtonProject& project);

    // The longest file name, in bytes, that the file system holding the output directory takes
    // (asked of the nearest folder that exists).
    static qsizetype maxFileNameBytes(const ButtonProject& project);
    static bool fitsFileSystem(const QString& fileName, qsizetype maxBytes);

    // How long a file name in the output directory may be: no longer than its file system
    // takes, and short enough that its path, and that of the temporary it is written through,
    // stay within PATH_MAX. Paths are counted as the run passes them to the system.
    struct NameRoom
    {
        qsizetype nameBytes;
        qsizetype pathBytes; // what PATH_MAX leaves beside the directory and the closing NUL
        bool fits(const QString& fileName) const;
    };
    static NameRoom nameRoom(const ButtonProject& project, qsizetype maxNameBytes);

    // No failure when the page, the project copy and every 1x image (and with CSS rollovers the
    // stylesheet and every 1x sprite) fit the file system; otherwise a NameTooLong failure for
    // the first name that does not, or for its whole path where only that is too long. A
    // double-size twin that does not fit is left out, not refused.
    static Failure tooLongNameError(const ButtonProject& project, qsizetype maxBytes);

    // Lower-cases A-Z only; every other character stays.
    static QString toLowerAscii(const QString& text);
};
