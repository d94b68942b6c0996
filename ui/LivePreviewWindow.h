#pragma once

#include <QWidget>

class LivePreviewModel;
class QLabel;
class QListView;
class WizardController;

// A small tool window beside the wizard with every caption drawn in each state the JavaScript
// option uses, exactly as the generation writes them, in a scrolling list that marks the
// captions their buttons cut. Redrawn on every change; the caption selected on the caption
// page is the current row.
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

    QListView* list() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showSelectedCaption();

    WizardController& m_wizard;
    QLabel* m_states;
    QListView* m_list;
    LivePreviewModel* m_model;
};
