#pragma once

#include "WizardPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class RadioGroupBox;
class SampleView;
class SwatchLabel;

// Pages 4, 7 and 10: a state's background and its 300 x 132 sample; the Normal page also
// carries the button size.
class StateBackgroundPage : public WizardPage
{
    Q_OBJECT
public:
    StateBackgroundPage(ButtonState state, WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;
    static int pageIndex(ButtonState state);

    SampleView* sample() const { return m_sample; }

private:
    void addSizeRow(QBoxLayout* layout, const QString& caption, int firstStep, QLabel** field);

    ButtonState m_state;
    RadioGroupBox* m_kind;
    SwatchLabel* m_colorSwatch;
    QComboBox* m_predefined;
    QLineEdit* m_fileName;
    SampleView* m_sample;
    QLabel* m_height = nullptr;
    QLabel* m_width = nullptr;
};
