#pragma once

#include <QDialog>

class QCheckBox;
class QGridLayout;
class QLabel;
class QScrollBar;

// What the two option dialogs share: the pale yellow fixed-size box centred on the screen,
// rows of a text and the control it names, "Remember these setting for next time" and the
// buttons "Restore to defaults", "Cancel" and "OK". Cancel, Escape and the close box change
// nothing; the caller takes the result after OK.
class OptionsDialog : public QDialog
{
    Q_OBJECT
protected:
    OptionsDialog(const QString& title, QWidget* parent);

    // A row of a text, a horizontal scroll bar with steps of 1 and the number it stands at.
    QScrollBar* addScrollBarRow(const QString& text, const QString& name, int minimum, int maximum,
                                QLabel** number);
    // A check box without a text of its own, named by the row's text.
    QCheckBox* addCheckBoxRow(const QString& text, const QString& name);
    // A row of a text and any control.
    void addRow(const QString& text, QWidget* control);
    QGridLayout* rows() const { return m_rows; }
    // The "Remember" row and the buttons; call once the rows are in.
    QCheckBox* finish();

    // "Restore to defaults" on the controls.
    virtual void restoreDefaults() = 0;

    void showEvent(QShowEvent* event) override;

private:
    QGridLayout* m_rows;
};
