#include "MoreOptionsDialog.h"

#include "ButtonProject.h"
#include "WizardTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

MoreOptionsDialog::MoreOptionsDialog(const ButtonProject& project, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(WizardTexts::moreOptionsTitle);
    setAccessibleName(WizardTexts::moreOptionsTitle);
    auto* layout = new QVBoxLayout(this);
    // Each box is named after the project key it sets.
    m_smooth = addOption(layout, QStringLiteral("SmoothCaptions"), WizardTexts::smoothCaptionsLabel,
                         WizardTexts::smoothCaptionsNote, project.smoothCaptions);
    m_hiDpi = addOption(layout, QStringLiteral("HiDpiImages"), WizardTexts::hiDpiImagesLabel,
                        WizardTexts::hiDpiImagesNote, project.hiDpiImages);
    m_keyboard =
        addOption(layout, QStringLiteral("KeyboardRollovers"), WizardTexts::keyboardRolloversLabel,
                  WizardTexts::keyboardRolloversNote, project.keyboardRollovers);
    m_css = addOption(layout, QStringLiteral("CssRollovers"), WizardTexts::cssRolloversLabel,
                      WizardTexts::cssRolloversNote, project.cssRollovers);
    m_webP = addOption(layout, QStringLiteral("WebPImages"), WizardTexts::webPImagesLabel,
                       WizardTexts::webPImagesNote, project.webPImages);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_smooth->setFocus();
}

QCheckBox* MoreOptionsDialog::addOption(QVBoxLayout* layout, const QString& key,
                                        const QString& label, const QString& note, bool checked)
{
    auto* box = new QCheckBox(label, this);
    box->setObjectName(key);
    box->setChecked(checked);
    box->setAccessibleName(QString(label).remove(QLatin1Char('&')));
    box->setAccessibleDescription(note);
    auto* text = new QLabel(note, this);
    text->setTextFormat(Qt::PlainText);
    // Lined up with the box's text, under its label.
    const int indent = style()->pixelMetric(QStyle::PM_IndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
    text->setContentsMargins(indent, 0, 0, 4);
    layout->addWidget(box);
    layout->addWidget(text);
    return box;
}

bool MoreOptionsDialog::smoothCaptions() const
{
    return m_smooth->isChecked();
}

bool MoreOptionsDialog::hiDpiImages() const
{
    return m_hiDpi->isChecked();
}

bool MoreOptionsDialog::keyboardRollovers() const
{
    return m_keyboard->isChecked();
}

bool MoreOptionsDialog::cssRollovers() const
{
    return m_css->isChecked();
}

bool MoreOptionsDialog::webPImages() const
{
    return m_webP->isChecked();
}
