#pragma once

#include <QMainWindow>

#include <memory>

class BackgroundPictures;
class DesignerCaptionPanel;
class DesignerController;
class DesignerGeneratePanel;
class DesignerOutputPanel;
class DesignerPreviewGrid;
class DesignerStylePanel;
class OptionTableForm;
struct OptionSets;
class PlatformServices;
class QMenu;
class QRadioButton;
class QStandardItemModel;
class QTabWidget;
class QtPlatformServices;
struct ButtonProject;

// The designer: one resizable window that shows the whole project at once, the captions, each
// state's style on its tab and the further options on one more, the output, a preview of every
// button and Generate. It follows the desktop's theme. Every control is bound to the
// DesignerController, which does the work.
class DesignerWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit DesignerWindow(QWidget* parent = nullptr);
    // Uses platform for every dialog instead of Qt's own; it must outlive the window.
    explicit DesignerWindow(PlatformServices& platform, QWidget* parent = nullptr);
    ~DesignerWindow() override;

    DesignerController& controller() { return *m_designer; }
    // A copy of a project edited elsewhere, under its file name.
    void takeProject(const ButtonProject& project, const BackgroundPictures& pictures,
                     const OptionSets& options);

    DesignerCaptionPanel* captions() const { return m_captions; }
    DesignerStylePanel* stylePanel(int index) const;
    QTabWidget* styleTabs() const { return m_tabs; }
    DesignerOutputPanel* output() const { return m_output; }
    OptionTableForm* moreOptions() const { return m_options; }
    DesignerPreviewGrid* preview() const { return m_preview; }
    DesignerGeneratePanel* generatePanel() const { return m_generate; }

    static inline const QString title = QStringLiteral("Brindlewick Designer");
    static constexpr QSize defaultSize{1180, 840};

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DesignerWindow(std::unique_ptr<QtPlatformServices> ownPlatform, PlatformServices* platform,
                   QWidget* parent);
    void buildMenus();
    QWidget* buildPreview();
    void refresh();
    void showTitle();
    void showRecentFiles();
    static QStandardItemModel* backgroundModel(QObject* parent);

    std::unique_ptr<QtPlatformServices> m_ownPlatform;
    std::unique_ptr<DesignerController> m_designer;
    DesignerCaptionPanel* m_captions = nullptr;
    QTabWidget* m_tabs = nullptr;
    QList<DesignerStylePanel*> m_styles;
    DesignerOutputPanel* m_output = nullptr;
    OptionTableForm* m_options = nullptr;
    DesignerPreviewGrid* m_preview = nullptr;
    DesignerGeneratePanel* m_generate = nullptr;
    QMenu* m_recent = nullptr;
};
