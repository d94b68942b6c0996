#pragma once

#include <QWidget>

class DesignerController;
class QListWidget;
class QListWidgetItem;

// The captions, edited in place: Insert adds one before the current row and opens it for
// typing, F2 edits, Delete removes, Ctrl+Up and Ctrl+Down move; each has its button too.
class DesignerCaptionPanel : public QWidget
{
    Q_OBJECT
public:
    explicit DesignerCaptionPanel(DesignerController& designer, QWidget* parent = nullptr);

    QListWidget* list() const { return m_list; }
    void refresh();

    static inline const QString newCaption = QStringLiteral("New button");

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void insertAt(int row);
    void removeCurrent();
    void moveCurrent(int step);
    void itemEdited(QListWidgetItem* item);

    DesignerController& m_designer;
    QListWidget* m_list;
};
