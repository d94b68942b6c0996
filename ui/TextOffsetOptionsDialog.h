#pragma once

#include "OptionsDialog.h"
#include "TextOffsetOptionsEditor.h"

class QCheckBox;
class QLabel;
class QScrollBar;

// Options > "Offsets and Indents options": opens on the current set; after OK, result() is the
// set to confirm.
class TextOffsetOptionsDialog : public OptionsDialog
{
    Q_OBJECT
public:
    explicit TextOffsetOptionsDialog(const TextOffsetOptions& current, QWidget* parent = nullptr);
    TextOffsetOptions result() const { return m_editor.result(); }

private:
    void restoreDefaults() override;
    void showEditor();

    TextOffsetOptionsEditor m_editor;
    QScrollBar* m_offset;
    QLabel* m_offsetNumber = nullptr;
    QScrollBar* m_indent;
    QLabel* m_indentNumber = nullptr;
    QCheckBox* m_retain;
};
