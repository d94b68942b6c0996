#include "TextOffsetOptionsDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

TextOffsetOptionsDialog::TextOffsetOptionsDialog(const TextOffsetOptions& current, QWidget* parent)
    : OptionsDialog(TextOffsetOptionsEditor::title, parent), m_editor(current)
{
    setObjectName(QStringLiteral("FormOffsetsandIndentsOptions"));
    m_offset =
        addScrollBarRow(TextOffsetOptionsEditor::offsetRow, QStringLiteral("ScrollBarTextOffset"),
                        0, TextOffsetOptionsEditor::maximumOffset, &m_offsetNumber);
    m_offsetNumber->setObjectName(QStringLiteral("lblTextOffset"));
    m_indent =
        addScrollBarRow(TextOffsetOptionsEditor::indentRow, QStringLiteral("ScrollBarTextIndent"),
                        0, TextOffsetOptionsEditor::maximumIndent, &m_indentNumber);
    m_indentNumber->setObjectName(QStringLiteral("lblTextIndent"));
    m_retain = finish();

    showEditor();
    connect(m_offset, &QScrollBar::valueChanged, this, [this](int value) {
        m_editor.setTextOffset(value);
        m_offsetNumber->setText(m_editor.offsetLabel());
    });
    connect(m_indent, &QScrollBar::valueChanged, this, [this](int value) {
        m_editor.setTextIndent(value);
        m_indentNumber->setText(m_editor.indentLabel());
    });
    connect(m_retain, &QCheckBox::toggled, this,
            [this](bool on) { m_editor.setRetainSettings(on); });
}

void TextOffsetOptionsDialog::showEditor()
{
    const QSignalBlocker blockers[] = {QSignalBlocker(m_offset), QSignalBlocker(m_indent),
                                       QSignalBlocker(m_retain)};
    m_offset->setValue(m_editor.textOffset());
    m_offsetNumber->setText(m_editor.offsetLabel());
    m_indent->setValue(m_editor.textIndent());
    m_indentNumber->setText(m_editor.indentLabel());
    m_retain->setChecked(m_editor.retainSettings());
}

void TextOffsetOptionsDialog::restoreDefaults()
{
    m_editor.restoreDefaults();
    showEditor();
}
