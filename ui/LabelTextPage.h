#pragma once

#include "WizardPage.h"

class QListWidget;

// Page 2: the caption list and its four commands.
class LabelTextPage : public WizardPage
{
    Q_OBJECT
public:
    LabelTextPage(WizardController& wizard, QWidget* parent = nullptr);

    void refresh() override;
    QListWidget* captionList() const { return m_list; }

private:
    void showCaptions(int selectedRow);
    int selectedRow() const;

    QListWidget* m_list;
};
