#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>

class DesignerWindow;
class LivePreviewWindow;
class PlatformServices;
class QAction;
class QStackedWidget;
class QTimer;
class QtPlatformServices;
class SplashForm;
class WizardController;
class WizardPage;

// The main window: the menu, the 16 pages over a 622 x 311 client area, F1 on every page,
// the start-up splash and the live preview window.
class GeneratorWizard : public QMainWindow
{
    Q_OBJECT
public:
    explicit GeneratorWizard(QWidget* parent = nullptr);
    // Uses platform for every dialog instead of Qt's own; it must outlive the window.
    explicit GeneratorWizard(PlatformServices& platform, QWidget* parent = nullptr);
    ~GeneratorWizard() override;

    WizardController& controller() { return *m_controller; }
    WizardPage* page(int index) const;
    QStackedWidget* pages() const { return m_pages; }
    LivePreviewWindow* livePreview() const { return m_livePreview; }
    QAction* livePreviewAction() const { return m_livePreviewAction; }
    // The start-up splash while it is shown, and the timer that closes it.
    SplashForm* splash() const;
    const QTimer* splashTimer() const { return m_splashTimer; }

    // Help > About: stops the splash timer, then shows the About box modally.
    void showAbout();
    // "View Javascript + HTML Code": the code viewer on the sample page, modally.
    void viewCode();
    // File > Designer: a designer window on a copy of the project, under its file name.
    DesignerWindow* openDesigner();

    static constexpr int splashMilliseconds = 1500;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void showSplash();
    void closeSplash();
    void showCurrentPage(int index);

    GeneratorWizard(std::unique_ptr<QtPlatformServices> ownPlatform, PlatformServices* platform,
                    QWidget* parent);

    std::unique_ptr<QtPlatformServices> m_ownPlatform;
    std::unique_ptr<WizardController> m_controller;
    QStackedWidget* m_pages;
    QList<WizardPage*> m_pageList;
    LivePreviewWindow* m_livePreview;
    QAction* m_livePreviewAction = nullptr;
    QPointer<SplashForm> m_splash;
    QTimer* m_splashTimer;
};
