#pragma once

#include "ButtonProject.h"
#include "ButtonSizeTables.h"
#include "Failure.h"

#include <QString>

#include <functional>

// The stylesheet of the page with CSS rollovers: how the buttons are laid out and, for each,
// its size, its sprite and which slice of the sprite hover, keyboard focus and a press show.
class StyleSheetWriter
{
public:
    // The tables must hold the sizes of the run that wrote the sprites.
    StyleSheetWriter(const ButtonProject& project, const ButtonSizeTables& sizes);

    // With HiDPI images, whether caption n's double-size sprite was written; a sprite that
    // was not is left out. All of them by default.
    void setTwinWritten(std::function<bool(int n)> written) { m_twinWritten = std::move(written); }

    // Writes to OutputNaming::styleSheetPath, or to the given path, replacing the file only
    // once it is complete; no failure when it is.
    Failure write();
    Failure write(const QString& path);

private:
    using LineSink = std::function<void(const QString& line)>;

    void produceLines(const LineSink& line) const;
    void addButtonRules(const LineSink& line, int n) const;
    QString spriteUrl(int n, int scale) const;

    const ButtonProject& m_project;
    const ButtonSizeTables& m_sizes;
    std::function<bool(int n)> m_twinWritten;
};
