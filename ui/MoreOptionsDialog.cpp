#include "MoreOptionsDialog.h"

#include "OptionTableForm.h"
#include "WizardTexts.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

MoreOptionsDialog::MoreOptionsDialog(const ButtonProject& project, QWidget* parent,
                                     const QList<ProjectKeys::Option>& options,
                                     PlatformServices* platform)
    : QDialog(parent), m_form(new OptionTableForm(project, options, platform, this))
{
    setWindowTitle(WizardTexts::moreOptionsTitle);
    setAccessibleName(WizardTexts::moreOptionsTitle);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (QWidget* first = m_form->firstControl())
        first->setFocus();
}

const ButtonProject& MoreOptionsDialog::chosen() const
{
    return m_form->chosen();
}
