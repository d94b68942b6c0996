#include "TextOffsetOptionsEditor.h"

#include <algorithm>

void TextOffsetOptionsEditor::setTextOffset(int offset)
{
    m_options.textOffset = std::clamp(offset, 0, maximumOffset);
}

void TextOffsetOptionsEditor::setTextIndent(int indent)
{
    m_options.textIndent = std::clamp(indent, 0, maximumIndent);
}

void TextOffsetOptionsEditor::restoreDefaults()
{
    m_options.textOffset = TextOffsetOptions::defaults().textOffset;
    m_options.textIndent = TextOffsetOptions::defaults().textIndent;
}

TextOffsetOptions TextOffsetOptionsEditor::result() const
{
    TextOffsetOptions options = m_options;
    options.retainSettings = retainSettings();
    return options;
}
