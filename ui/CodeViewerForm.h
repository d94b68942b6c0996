#pragma once

#include <QDialog>

class CodeViewer;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The code viewer window: an amber strip with "Copy to Clipboard" and "Close" over the
// read-only code.
class CodeViewerForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr QSize openingSize{544, 371};
    static constexpr QSize smallestSize{320, 220};
    static constexpr QSize largestSize{1200, 800};
    static constexpr int panelHeight = 41;
    static constexpr int closeRightMargin = 12;

    CodeViewerForm(CodeViewer& viewer, QWidget* parent = nullptr);

    QPlainTextEdit* code() const { return m_code; }
    QPushButton* copyButton() const { return m_copy; }
    QPushButton* closeButton() const { return m_close; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showSelection(bool wholeText);

    QWidget* m_panel;
    QPushButton* m_copy;
    QPushButton* m_close;
    QPlainTextEdit* m_code;
};
