#pragma once

#include "Enumerations.h"

#include <QWidget>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class WizardController;

// One page of the wizard: its heading, "Page N of 16", the body the subclass fills, and the
// page buttons at the bottom right. Enter presses "Next >>" unless the focused control takes
// it; Alt+N, Alt+P and Esc press "Next >>", "<< Previous" and "Cancel" (or "Close").
class WizardPage : public QWidget
{
    Q_OBJECT
public:
    WizardPage(int index, WizardController& wizard, QWidget* parent = nullptr);

    int index() const { return m_index; }
    // Shows the project's values again, after a change made elsewhere (a project read, the
    // first-pass copies).
    virtual void refresh() {}

    QPushButton* nextButton() const { return m_next; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* cancelButton() const { return m_cancel; }
    // Puts the page buttons after the body's controls in the Tab order, as they are placed.
    void finishTabOrder();

    static constexpr int width = 622;
    static constexpr int height = 311;

signals:
    void cancelRequested();

protected:
    // The area under the heading, inside a scroll area in case a text needs more room.
    QWidget* body() const { return m_body; }
    // "N." in large type before its line of text.
    QWidget* stepLine(const QString& number, const QString& text, QWidget* parent);
    static QLabel* wrappedLabel(const QString& text, QWidget* parent);
    // A second bold blue heading inside the body.
    static QLabel* subHeading(const QString& text, QWidget* parent);
    // A push button that Space presses while it has the focus; Enter stays "Next >>".
    static QPushButton* button(const QString& text, QWidget* parent);
    // A read-only text with a vertical scroll bar, filled from one of the program's
    // instruction texts ("MEM_INST", "MEM_GEN", "MEM_FIN").
    static QPlainTextEdit* instructionMemo(const QString& resourceName,
                                           const QString& accessibleName, QWidget* parent);
    static QLabel* picture(const QString& resourceName, QWidget* parent);
    // A white read-only field for a path: a long one scrolls rather than being cut.
    static QLineEdit* pathField(const QString& objectName, const QString& accessibleName,
                                QWidget* parent);
    // "6a." .. "8e.": the step of a state's page, by state and letter.
    static QString stateStep(ButtonState state, char letter);
    // A state's control name, as "rg" + "NormalButton" + "Borders".
    static QString controlName(const char* type, ButtonState state, const char* role);

    void keyPressEvent(QKeyEvent* event) override;

    WizardController& m_wizard;

private:
    int m_index;
    QWidget* m_body;
    QPushButton* m_cancel;
    QPushButton* m_previous;
    QPushButton* m_next;
};
