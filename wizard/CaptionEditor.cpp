#include "CaptionEditor.h"

#include "PlatformServices.h"
#include "ProjectKeys.h"
#include "TextLimit.h"
#include "WizardTexts.h"

CaptionEditor::CaptionEditor(CaptionList& captions, PlatformServices& platform, QObject* parent)
    : QObject(parent), m_captions(captions), m_platform(platform)
{
}

void CaptionEditor::setSelectedRow(int row)
{
    const int valid = row >= 0 && row < m_captions.size() ? row : -1;
    if (valid == m_selectedRow)
        return;
    m_selectedRow = valid;
    emit selectedRowChanged(valid);
}

std::optional<QString> CaptionEditor::askCaption(const QString& initialText)
{
    const std::optional<QString> text =
        m_platform.inputText(WizardTexts::captionDialogTitle, WizardTexts::captionDialogPrompt,
                             initialText, WizardTexts::maxCaptionLength);
    if (!text)
        return std::nullopt;
    if (text->isEmpty()) {
        m_platform.beep();
        return std::nullopt;
    }
    return TextLimit::edited(initialText, ProjectKeys::lineText(*text),
                             WizardTexts::maxCaptionLength);
}

void CaptionEditor::emitCaptions(int selectedRow)
{
    setSelectedRow(selectedRow);
    emit captionsChanged(m_selectedRow);
    emit changed();
}

int CaptionEditor::addCaption()
{
    const std::optional<QString> text = askCaption(QString());
    if (!text)
        return m_selectedRow;
    m_captions.append(*text);
    emitCaptions(m_selectedRow);
    return m_selectedRow;
}

int CaptionEditor::insertCaption(int selectedRow)
{
    setSelectedRow(selectedRow);
    const int row = m_selectedRow;
    const std::optional<QString> text = askCaption(QString());
    if (!text)
        return row;
    if (row < 0)
        m_captions.append(*text);
    else
        m_captions.insert(row, *text);
    emitCaptions(row);
    return m_selectedRow;
}

int CaptionEditor::modifyCaption(int selectedRow)
{
    setSelectedRow(selectedRow);
    const int row = m_selectedRow;
    if (row < 0)
        return row;
    const std::optional<QString> text = askCaption(m_captions.at(row));
    if (!text)
        return row;
    m_captions[row] = *text;
    emitCaptions(row);
    return m_selectedRow;
}

int CaptionEditor::deleteCaption(int selectedRow)
{
    setSelectedRow(selectedRow);
    const int row = m_selectedRow;
    if (row < 0)
        return row;
    m_captions.removeAt(row);
    emitCaptions(-1);
    return m_selectedRow;
}

int CaptionEditor::insertText(int row, const QString& text)
{
    if (text.isEmpty()) {
        m_platform.beep();
        return m_selectedRow;
    }
    const int at = row < 0 || row > m_captions.size() ? m_captions.size() : row;
    m_captions.insert(at, TextLimit::edited(QString(), ProjectKeys::lineText(text),
                                            WizardTexts::maxCaptionLength));
    emitCaptions(at);
    return at;
}

bool CaptionEditor::setText(int row, const QString& text)
{
    if (row < 0 || row >= m_captions.size())
        return false;
    if (text.isEmpty()) {
        m_platform.beep();
        return false;
    }
    // A pasted line break would be drawn, yet saved as a space: the project holds what it saves.
    const QString edited = TextLimit::edited(m_captions.at(row), ProjectKeys::lineText(text),
                                             WizardTexts::maxCaptionLength);
    if (edited == m_captions.at(row))
        return false;
    m_captions[row] = edited;
    emitCaptions(row);
    return true;
}

int CaptionEditor::moveCaption(int row, int to)
{
    if (row < 0 || row >= m_captions.size() || to < 0 || to >= m_captions.size() || row == to)
        return m_selectedRow;
    m_captions.move(row, to);
    emitCaptions(to);
    return to;
}
