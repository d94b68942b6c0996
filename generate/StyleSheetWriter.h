#pragma once

#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "Failure.h"
#include "WrittenFiles.h"

#include <QString>

#include <functional>
#include <optional>

// The stylesheet of the page with CSS rollovers: how the buttons are laid out and, for each,
// its size, its sprite and which slice of the sprite hover, keyboard focus and a press show.
class StyleSheetWriter
{
public:
    // The tables must hold the sizes of the run that wrote the sprites.
    StyleSheetWriter(const ButtonProject& project, const ButtonSizeTables& sizes);

    // The files the run wrote: a sprite or image shows in a format that was written, one with
    // none is left out, and a button without its sprite shows its single images. All of them by
    // default.
    void setWrittenFiles(const WrittenFiles* written) { m_written = written; }

    // Writes to OutputNaming::styleSheetPath, or to the given path, replacing the file only
    // once it is complete; no failure when it is.
    Failure write();
    Failure write(const QString& path);

private:
    using LineSink = std::function<void(const QString& line)>;

    void produceLines(const LineSink& line) const;
    void addButtonRules(const LineSink& line, int n) const;
    void addImageRules(const LineSink& line, int n) const;
    // Empty where nothing was written.
    QString shownFileName(int n, std::optional<ButtonState> state, int scale) const;

    const ButtonProject& m_project;
    const ButtonSizeTables& m_sizes;
    const WrittenFiles* m_written = nullptr;
};
