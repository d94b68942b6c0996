#pragma once

#include <QWidget>

class QGridLayout;
class WizardController;

// A small tool window beside the wizard with the preview caption drawn in every state the
// JavaScript option uses, exactly as the generation writes them; redrawn on every change.
class LivePreviewWindow : public QWidget
{
    Q_OBJECT
public:
    LivePreviewWindow(WizardController& wizard, QWidget* parent);

    void redraw();
    // Redraws while the window is shown.
    void refresh();
    // Places the window just right of the wizard's frame.
    void placeBeside(const QWidget* wizard);

protected:
    void showEvent(QShowEvent* event) override;

private:
    WizardController& m_wizard;
    QGridLayout* m_grid;
};
