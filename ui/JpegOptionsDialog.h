#pragma once

#include "JpegOptionsEditor.h"
#include "OptionsDialog.h"

class QCheckBox;
class QLabel;
class QRadioButton;
class QScrollBar;

// Options > "JPEG image file options": opens on the current set; after OK, result() is the set
// to confirm.
class JpegOptionsDialog : public OptionsDialog
{
    Q_OBJECT
public:
    explicit JpegOptionsDialog(const JpegFileOptions& current, QWidget* parent = nullptr);
    JpegFileOptions result() const { return m_editor.result(); }

private:
    void restoreDefaults() override;
    void showEditor();

    JpegOptionsEditor m_editor;
    QScrollBar* m_quality;
    QLabel* m_qualityNumber = nullptr;
    QRadioButton* m_eightBit;
    QRadioButton* m_twentyFourBit;
    QCheckBox* m_progressive;
    QCheckBox* m_grayscale;
    QCheckBox* m_retain;
};
