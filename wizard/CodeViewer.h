#pragma once

#include "Failure.h"

#include <QObject>
#include <QStringList>

class PlatformServices;

// What the code viewer shows and does, without its window: the lines of the sample page (and
// of its stylesheet, when it has one) and "Copy to Clipboard". The window follows selectionChanged.
class CodeViewer : public QObject
{
    Q_OBJECT
public:
    // Larger files are refused rather than read whole into the viewer.
    static constexpr qint64 maxFileSize = 16 * 1024 * 1024;

    explicit CodeViewer(PlatformServices& platform, QObject* parent = nullptr);

    // Reads the file as lines, UTF-8 or Windows-1252 as a whole; no failure when it could.
    Failure load(const QString& path);
    // Reads another file in the same way and adds its lines after those already held.
    Failure append(const QString& path);

    const QStringList& lines() const { return m_lines; }
    // The whole text as the viewer holds it: the lines joined with CR LF.
    QString text() const;
    bool wholeTextSelected() const { return m_wholeTextSelected; }

    // Selects the whole text; a text of more than one character then goes to the clipboard,
    // the selection is removed and "Code copied to clipboard" shown. True when copied.
    bool copyToClipboard();

    static inline const QString copiedMessage = QStringLiteral("Code copied to clipboard");

signals:
    // The whole text was selected (true) or the selection removed (false).
    void selectionChanged(bool wholeText);

private:
    void setWholeTextSelected(bool on);

    PlatformServices& m_platform;
    QStringList m_lines;
    bool m_wholeTextSelected = false;
};
