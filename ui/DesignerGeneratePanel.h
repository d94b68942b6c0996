#pragma once

#include <QWidget>

class DesignerController;
class QLabel;
class QProgressBar;
class QPushButton;

// Generate, in the window: the run on its worker thread with its progress and Stop, then a
// line saying how many files went where, with "Open Folder" and "Open Page".
class DesignerGeneratePanel : public QWidget
{
    Q_OBJECT
public:
    explicit DesignerGeneratePanel(DesignerController& designer, QWidget* parent = nullptr);

    QPushButton* generateButton() const { return m_generate; }
    QLabel* resultLine() const { return m_result; }

private:
    void setRunning(bool running);
    void showProgress(int done, int total);

    DesignerController& m_designer;
    QPushButton* m_generate;
    QProgressBar* m_progress;
    QPushButton* m_stop;
    QLabel* m_result;
    QPushButton* m_openFolder;
    QPushButton* m_openPage;
};
