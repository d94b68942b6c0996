#include "LabelTextPage.h"

#include "WizardController.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

LabelTextPage::LabelTextPage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::LabelText, wizard, parent)
{
    auto* layout = new QGridLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(stepLine(QStringLiteral("3."),
                               QStringLiteral("Enter captions for each of your buttons. You need "
                                              "to create at least one button."),
                               body()),
                      0, 0, 1, 2);
    m_list = new QListWidget(body());
    m_list->setObjectName(QStringLiteral("lbLabelText"));
    m_list->setAccessibleName(QStringLiteral("Button captions"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    layout->addWidget(m_list, 1, 0);

    auto* commands = new QVBoxLayout;
    const struct
    {
        const char* name;
        QString text;
        int (CaptionEditor::*command)(int);
    } buttons[] = {
        {"btnLabelTextAdd", QStringLiteral("Add  a new caption ( at end )"), nullptr},
        {"btnLabelTextInsert", QStringLiteral("Insert new caption ( above selected )"),
         &CaptionEditor::insertCaption},
        {"btnLabelTextModify", QStringLiteral("Modify selected caption"),
         &CaptionEditor::modifyCaption},
        {"btnLabelTextDelete", QStringLiteral("Delete selected caption"),
         &CaptionEditor::deleteCaption},
    };
    for (const auto& b : buttons) {
        QPushButton* pushButton = button(b.text, body());
        pushButton->setObjectName(QLatin1String(b.name));
        const auto command = b.command;
        connect(pushButton, &QPushButton::clicked, this, [this, command] {
            if (command)
                (m_wizard.captions().*command)(selectedRow());
            else
                m_wizard.captions().addCaption();
        });
        commands->addWidget(pushButton);
    }
    commands->addStretch(1);
    layout->addLayout(commands, 1, 1);
    layout->addWidget(wrappedLabel(QStringLiteral("Note: You can create buttons with two lines of "
                                                  "text by using the bar ( | ) character to split "
                                                  "lines."),
                                   body()),
                      2, 0, 1, 2);
    layout->setColumnStretch(0, 1);

    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_wizard.captions().setSelectedRow(selectedRow()); });
    connect(&m_wizard.captions(), &CaptionEditor::captionsChanged, this,
            &LabelTextPage::showCaptions);
}

int LabelTextPage::selectedRow() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.constFirst());
}

void LabelTextPage::refresh()
{
    showCaptions(m_wizard.captions().selectedRow());
}

void LabelTextPage::showCaptions(int selectedRow)
{
    const QSignalBlocker blocker(m_list);
    const QStringList& captions = m_wizard.project().captions;
    m_list->clear();
    m_list->addItems(captions);
    if (selectedRow >= 0 && selectedRow < captions.size()) {
        m_list->setCurrentRow(selectedRow);
    } else {
        m_list->setCurrentRow(-1);
        m_list->clearSelection();
    }
    m_wizard.captions().setSelectedRow(this->selectedRow());
}
