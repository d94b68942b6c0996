#include "OptionsDialog.h"

#include "LightPalette.h"
#include "WizardTexts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

OptionsDialog::OptionsDialog(const QString& title, QWidget* parent)
    : QDialog(parent), m_rows(new QGridLayout)
{
    setWindowTitle(title);
    setObjectName(title);
    setPalette(LightPalette::on(QColor(0xFF, 0xFF, 0xD8))); // 0x00D8FFFF, stored blue first
    setAutoFillBackground(true);
    m_rows->setHorizontalSpacing(12);
    m_rows->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_rows);
}

void OptionsDialog::addRow(const QString& text, QWidget* control)
{
    auto* label = new QLabel(text, this);
    label->setBuddy(control);
    control->setAccessibleName(text.trimmed());
    const int row = m_rows->rowCount();
    m_rows->addWidget(label, row, 0);
    m_rows->addWidget(control, row, 1);
}

QScrollBar* OptionsDialog::addScrollBarRow(const QString& text, const QString& name, int minimum,
                                           int maximum, QLabel** number)
{
    auto* bar = new QScrollBar(Qt::Horizontal, this);
    bar->setObjectName(name);
    bar->setRange(minimum, maximum);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    // Scroll bars take no focus by default; these are the dialog's main controls.
    bar->setFocusPolicy(Qt::StrongFocus);
    // Scroll bars invert their keys, so Left would raise the number.
    bar->setInvertedControls(false);
    bar->setMinimumWidth(180);
    addRow(text, bar);
    *number = new QLabel(this);
    // Wide enough for the largest number, so the row does not jump.
    (*number)->setMinimumWidth(
        (*number)->fontMetrics().horizontalAdvance(QString::number(maximum)) + 4);
    (*number)->setAccessibleName(text.trimmed());
    m_rows->addWidget(*number, m_rows->rowCount() - 1, 2);
    return bar;
}

QCheckBox* OptionsDialog::addCheckBoxRow(const QString& text, const QString& name)
{
    auto* box = new QCheckBox(this);
    box->setObjectName(name);
    addRow(text, box);
    return box;
}

QCheckBox* OptionsDialog::finish()
{
    QCheckBox* remember =
        addCheckBoxRow(WizardTexts::rememberSettings, QStringLiteral("cbRetainSettings"));

    auto* restore = new QPushButton(WizardTexts::restoreDefaults, this);
    restore->setObjectName(QStringLiteral("Button3"));
    restore->setAutoDefault(false);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Button1"));
    cancel->setAutoDefault(false);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button2"));
    ok->setDefault(true);
    connect(restore, &QPushButton::clicked, this, [this] { restoreDefaults(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(restore);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    return remember;
}

void OptionsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
}
