#pragma once

#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "Failure.h"
#include "WrittenFiles.h"

#include <QString>

#include <functional>

// The HTML page that shows the generated buttons, with the JavaScript that swaps their
// images, and lists every generated image of the chosen format (or the WebP ones). With CSS
// rollovers it is a page without script whose stylesheet swaps the buttons' sprites.
class SamplePageWriter
{
public:
    // The tables must hold the sizes of the run that wrote the images.
    SamplePageWriter(const ButtonProject& project, const ButtonSizeTables& sizes);

    // The files the run wrote: an image shows in a format that was written, a twin with none is
    // left out, and an image with none keeps its name. All of them by default.
    void setWrittenFiles(const WrittenFiles* written) { m_written = written; }

    // Writes the page to OutputNaming::samplePagePath, or to the given path, in chunks,
    // replacing the file only once the page is complete; no failure when it is.
    Failure write();
    Failure write(const QString& path);

    // Text as it stands inside a double-quoted attribute.
    static QString attributeText(const QString& text);
    // The same with every non-ASCII character as a numeric reference: the page declares no
    // character set, and browsers then read it as Windows-1252, not UTF-8.
    static QString asciiAttributeText(const QString& text);

private:
    using LineSink = std::function<void(const QString& line)>;

    // Hands every line of the page, in order, to the sink.
    void produceLines(const LineSink& line) const;
    QString anchorLine(int n) const;
    void addButtonLines(const LineSink& line) const;
    void addImageList(const LineSink& line, const QString& title, ButtonState state) const;
    void addImageLists(const LineSink& line) const;
    void produceCssLines(const LineSink& line) const;
    QString cssButton(int n) const;
    void addCssButtonLines(const LineSink& line) const;
    // Empty for a twin that has no file.
    QString shownFileName(int n, ButtonState state, int scale) const;
    QString imageUrl(int n, ButtonState state) const;
    // The href value of button n's link, escaped.
    QString linkAttribute(int n) const;
    QString srcsetText(int n, ButtonState state) const;
    // src, and with HiDPI images the srcset offering both sizes.
    QString imageSourceAttributes(int n, ButtonState state) const;

    const ButtonProject& m_project;
    const ButtonSizeTables& m_sizes;
    const WrittenFiles* m_written = nullptr;
};
