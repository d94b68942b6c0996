#pragma once

#include <QWidget>

class DesignerController;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

// The captions, edited in place: Insert adds one before the current row and opens it for
// typing, F2 edits, Delete removes, Ctrl+Up and Ctrl+Down move; each has its button too. The
// field under the list edits the current caption as well, for those who cannot reach the
// editor in the list (a screen reader does not see it).
class DesignerCaptionPanel : public QWidget
{
    Q_OBJECT
public:
    explicit DesignerCaptionPanel(DesignerController& designer, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    QLineEdit* currentText() const { return m_text; }
    void refresh();

    static inline const QString newCaption = QStringLiteral("New button");

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insertAt(int row);
    void removeCurrent();
    void moveCurrent(int step);
    void itemEdited(QListWidgetItem* item);
    void fieldEdited(const QString& text);
    void showCurrentText();

    DesignerController& m_designer;
    QListWidget* m_list;
    QLineEdit* m_text;
};
