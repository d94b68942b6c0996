#include "DesignerCaptionPanel.h"

#include "DesignerController.h"
#include "DesignerFields.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

DesignerCaptionPanel::DesignerCaptionPanel(DesignerController& designer, QWidget* parent)
    : QWidget(parent), m_designer(designer), m_list(new QListWidget(this)),
      m_text(new QLineEdit(this))
{
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Capt&ions"), this);
    label->setBuddy(m_list);
    m_list->setObjectName(QStringLiteral("captionList"));
    m_list->setAccessibleName(QStringLiteral("Button captions"));
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_list->installEventFilter(this);
    layout->addWidget(label, 0, 0, 1, 5);
    layout->addWidget(m_list, 1, 0, 1, 5);

    const struct
    {
        const char* text;
        const char* name;
        std::function<void()> action;
    } buttons[] = {
        {"&Add", "Add a caption at the end", [this] { insertAt(m_list->count()); }},
        {"&Edit", "Edit the current caption",
         [this] {
             if (QListWidgetItem* item = m_list->currentItem())
                 m_list->editItem(item);
         }},
        {"&Remove", "Remove the current caption", [this] { removeCurrent(); }},
        {"Up", "Move the current caption up", [this] { moveCurrent(-1); }},
        {"Down", "Move the current caption down", [this] { moveCurrent(1); }},
    };
    int column = 0;
    for (const auto& b : buttons) {
        QPushButton* button =
            DesignerFields::button(QString::fromLatin1(b.text), QString::fromLatin1(b.name), this);
        connect(button, &QPushButton::clicked, this, b.action);
        layout->addWidget(button, 2, column++);
    }

    m_text->setAccessibleName(QStringLiteral("Current caption"));
    auto* textLabel = new QLabel(QStringLiteral("Te&xt"), this);
    textLabel->setBuddy(m_text);
    layout->addWidget(textLabel, 3, 0);
    layout->addWidget(m_text, 3, 1, 1, 4);
    connect(m_text, &QLineEdit::textChanged, this, &DesignerCaptionPanel::fieldEdited);
    connect(m_list, &QListWidget::itemChanged, this, &DesignerCaptionPanel::itemEdited);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_designer.captions().setSelectedRow(row);
        showCurrentText();
    });
    connect(&m_designer.captions(), &CaptionEditor::captionsChanged, this,
            &DesignerCaptionPanel::refresh);
    connect(&m_designer, &ProjectSession::projectReplaced, this, &DesignerCaptionPanel::refresh);
    refresh();
}

void DesignerCaptionPanel::refresh()
{
    const QSignalBlocker blocker(m_list);
    const QStringList& captions = m_designer.project().captions;
    while (m_list->count() > captions.size())
        delete m_list->takeItem(m_list->count() - 1);
    for (int row = 0; row < captions.size(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (!item) {
            item = new QListWidgetItem(m_list);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
        if (item->text() != captions.at(row))
            item->setText(captions.at(row));
    }
    m_list->setCurrentRow(m_designer.captions().selectedRow());
    showCurrentText();
}

void DesignerCaptionPanel::showCurrentText()
{
    const int row = m_list->currentRow();
    m_text->setEnabled(row >= 0);
    DesignerFields::show(m_text, row >= 0 ? m_designer.project().captions.value(row) : QString());
}

void DesignerCaptionPanel::fieldEdited(const QString& text)
{
    QListWidgetItem* item = m_list->currentItem();
    // An empty field is a caption being retyped, not yet one to refuse.
    if (!item || text.isEmpty())
        return;
    // An editor open in the list would write its older text back when it closes.
    m_list->closePersistentEditor(item);
    m_designer.captions().setText(m_list->row(item), text);
}

void DesignerCaptionPanel::insertAt(int row)
{
    const int at = m_designer.captions().insertText(row, newCaption);
    if (QListWidgetItem* item = m_list->item(at)) {
        m_list->setCurrentItem(item);
        m_list->editItem(item);
    }
}

void DesignerCaptionPanel::removeCurrent()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    m_designer.captions().deleteCaption(row);
    // The next caption takes the removed one's place, so Delete may be pressed again.
    m_list->setCurrentRow(qMin(row, m_list->count() - 1));
}

void DesignerCaptionPanel::moveCurrent(int step)
{
    const int row = m_list->currentRow();
    if (row >= 0)
        m_designer.captions().moveCaption(row, row + step);
}

void DesignerCaptionPanel::itemEdited(QListWidgetItem* item)
{
    if (!m_designer.captions().setText(m_list->row(item), item->text()))
        refresh(); // refused or cut: the list shows what the project holds
}

bool DesignerCaptionPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ctrl = key->modifiers() & Qt::ControlModifier;
        switch (key->key()) {
        case Qt::Key_Insert:
            insertAt(qMax(m_list->currentRow(), 0));
            return true;
        case Qt::Key_Delete:
            removeCurrent();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (!ctrl)
                break;
            moveCurrent(key->key() == Qt::Key_Up ? -1 : 1);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
