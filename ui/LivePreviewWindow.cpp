#include "LivePreviewWindow.h"

#include "WizardController.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLayoutItem>
#include <QScreen>

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
} // namespace

LivePreviewWindow::LivePreviewWindow(WizardController& wizard, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_wizard(wizard), m_grid(new QGridLayout(this))
{
    setWindowTitle(QStringLiteral("Live preview"));
    setAccessibleName(windowTitle());
    m_grid->setSizeConstraint(QLayout::SetFixedSize);
    connect(&m_wizard, &WizardController::changed, this, &LivePreviewWindow::refresh);
    connect(&m_wizard.captions(), &CaptionEditor::selectedRowChanged, this,
            &LivePreviewWindow::refresh);
}

void LivePreviewWindow::redraw()
{
    while (QLayoutItem* item = m_grid->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<ButtonState> states = m_wizard.previewStates();
    const QList<QImage> buttons = m_wizard.previewButtons();
    for (int i = 0; i < states.size() && i < buttons.size(); ++i) {
        auto* name = new QLabel(stateName(states[i]), this);
        auto* image = new QLabel(this);
        image->setAccessibleName(stateName(states[i]) + QStringLiteral(" button"));
        if (buttons[i].isNull())
            image->setText(QStringLiteral("(cannot be drawn)"));
        else
            image->setPixmap(QPixmap::fromImage(buttons[i]));
        m_grid->addWidget(name, i, 0, Qt::AlignRight | Qt::AlignVCenter);
        m_grid->addWidget(image, i, 1, Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void LivePreviewWindow::refresh()
{
    if (isVisible())
        redraw();
}

void LivePreviewWindow::placeBeside(const QWidget* wizard)
{
    adjustSize();
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
