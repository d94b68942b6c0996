#pragma once

#include "TextOffsetOptions.h"

#include <QString>

// The offsets and indents dialog without its widgets. Unlike the JPEG dialog, "Restore to
// defaults" leaves "Remember these setting for next time" as it is.
class TextOffsetOptionsEditor
{
public:
    static inline const QString title = QStringLiteral("Offsets and Indents Options");
    static inline const QString offsetRow = QStringLiteral("Text offset from edges");
    static inline const QString indentRow =
        QStringLiteral("Text indentation from edge when indentation is selected.");
    static constexpr int maximumOffset = 24;
    static constexpr int maximumIndent = 200;

    explicit TextOffsetOptionsEditor(const TextOffsetOptions& current) : m_options(current) {}

    int textOffset() const { return m_options.textOffset; }
    // Both kept within their scroll bar's range, which starts at 0.
    void setTextOffset(int offset);
    QString offsetLabel() const { return QString::number(textOffset()); }
    int textIndent() const { return m_options.textIndent; }
    void setTextIndent(int indent);
    QString indentLabel() const { return QString::number(textIndent()); }
    bool retainSettings() const { return m_options.retainSettings != 0; }
    void setRetainSettings(bool on) { m_options.retainSettings = on; }

    // Offset 2 and indent 40.
    void restoreDefaults();
    TextOffsetOptions result() const;

private:
    TextOffsetOptions m_options;
};
