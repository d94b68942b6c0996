#include "LivePreviewWindow.h"

#include "LivePreviewModel.h"
#include "WizardController.h"

#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
QString stateName(ButtonState state)
{
    switch (state) {
    case ButtonState::Normal:
        return QStringLiteral("Normal");
    case ButtonState::Selected:
        return QStringLiteral("Selected (mouse over)");
    case ButtonState::Pressed:
        break;
    }
    return QStringLiteral("Pressed");
}

// Enough rows to compare a few captions; the list scrolls for more.
constexpr int shownRows = 6;
constexpr int maxWidth = 900;
} // namespace

LivePreviewWindow::LivePreviewWindow(WizardController& wizard, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_wizard(wizard), m_states(new QLabel(this)),
      m_list(new QListView(this)), m_model(new LivePreviewModel(wizard.preview(), this))
{
    setWindowTitle(QStringLiteral("Live preview"));
    setAccessibleName(windowTitle());
    m_list->setModel(m_model);
    m_list->setAccessibleName(QStringLiteral("Captions"));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setTextElideMode(Qt::ElideRight);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_states);
    layout->addWidget(m_list, 1);

    connect(&m_wizard, &WizardController::changed, this, &LivePreviewWindow::refresh);
    connect(&m_wizard.captions(), &CaptionEditor::selectedRowChanged, this,
            &LivePreviewWindow::showSelectedCaption);
}

void LivePreviewWindow::redraw()
{
    QStringList names;
    for (const ButtonState state : m_wizard.preview().states())
        names.append(stateName(state));
    m_states->setText(QStringLiteral("Left to right: ") + names.join(QStringLiteral(", ")));
    m_model->reload();
    m_list->setIconSize(m_model->largestIcon());
    showSelectedCaption();
}

void LivePreviewWindow::showSelectedCaption()
{
    const int selected = m_wizard.captions().selectedRow();
    const QModelIndex index = m_model->index(qMax(selected, 0));
    if (selected < 0) {
        m_list->clearSelection();
    } else {
        m_list->setCurrentIndex(index);
    }
    m_list->scrollTo(index);
}

void LivePreviewWindow::refresh()
{
    if (isVisible())
        redraw();
}

void LivePreviewWindow::placeBeside(const QWidget* wizard)
{
    redraw();
    const int rows = qMin(m_model->rowCount(), shownRows);
    const int frame = 2 * m_list->frameWidth();
    const QSize list(m_list->sizeHintForColumn(0) + frame +
                         m_list->verticalScrollBar()->sizeHint().width(),
                     m_list->sizeHintForRow(0) * rows + frame);
    const QMargins margins = layout()->contentsMargins();
    resize(qMin(maxWidth, list.width() + margins.left() + margins.right()),
           list.height() + m_states->sizeHint().height() + layout()->spacing() + margins.top() +
               margins.bottom());
    QPoint at = wizard->frameGeometry().topRight() + QPoint(8, 0);
    if (const QScreen* screen = wizard->screen()) {
        const QRect free = screen->availableGeometry();
        if (at.x() + width() > free.right())
            at.setX(qMax(free.left(), free.right() - width()));
    }
    move(at);
}

void LivePreviewWindow::showEvent(QShowEvent* event)
{
    redraw();
    QWidget::showEvent(event);
}
