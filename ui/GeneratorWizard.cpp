#include "GeneratorWizard.h"

#include "CodeViewer.h"
#include "CodeViewerForm.h"
#include "DesignGalleryDialog.h"
#include "DesignerWindow.h"
#include "FinishedPage.h"
#include "GeneratePage.h"
#include "HtmlPage.h"
#include "JavaScriptOptionsPage.h"
#include "JpegOptionsDialog.h"
#include "LabelTextPage.h"
#include "LightPalette.h"
#include "LivePreviewWindow.h"
#include "OutputDirectoryPage.h"
#include "QtPlatformServices.h"
#include "SplashForm.h"
#include "StartPage.h"
#include "StateBackgroundPage.h"
#include "StateFontPage.h"
#include "StateOptionsPage.h"
#include "TextOffsetOptionsDialog.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>

static void initWizardResources()
{
    Q_INIT_RESOURCE(wizard);
}

GeneratorWizard::GeneratorWizard(QWidget* parent)
    : GeneratorWizard(
          std::make_unique<QtPlatformServices>(nullptr, WizardTexts::applicationTitle()), nullptr,
          parent)
{
}

GeneratorWizard::GeneratorWizard(PlatformServices& platform, QWidget* parent)
    : GeneratorWizard(nullptr, &platform, parent)
{
}

GeneratorWizard::GeneratorWizard(std::unique_ptr<QtPlatformServices> ownPlatform,
                                 PlatformServices* platform, QWidget* parent)
    : QMainWindow(parent), m_ownPlatform(std::move(ownPlatform)), m_pages(new QStackedWidget(this)),
      m_splashTimer(new QTimer(this))
{
    initWizardResources();
    setWindowTitle(WizardTexts::applicationTitle());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setPalette(LightPalette::on(QColor(0xFF, 0xFF, 0xD0))); // 0x00D0FFFF as BGR
    setAutoFillBackground(true);
    // The pages are laid out for a small body font.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    if (m_ownPlatform) {
        m_ownPlatform->setParent(this);
        platform = m_ownPlatform.get();
    }
    m_controller = std::make_unique<WizardController>(*platform);

    m_pages->setFixedSize(WizardPage::width, WizardPage::height);
    m_pages->setAccessibleName(QStringLiteral("Wizard pages"));
    WizardController& c = *m_controller;
    m_pageList = {new StartPage(c),
                  new LabelTextPage(c),
                  new JavaScriptOptionsPage(c),
                  new StateBackgroundPage(ButtonState::Normal, c),
                  new StateOptionsPage(ButtonState::Normal, c),
                  new StateFontPage(ButtonState::Normal, c),
                  new StateBackgroundPage(ButtonState::Selected, c),
                  new StateOptionsPage(ButtonState::Selected, c),
                  new StateFontPage(ButtonState::Selected, c),
                  new StateBackgroundPage(ButtonState::Pressed, c),
                  new StateOptionsPage(ButtonState::Pressed, c),
                  new StateFontPage(ButtonState::Pressed, c),
                  new OutputDirectoryPage(c),
                  new HtmlPage(c),
                  new GeneratePage(c),
                  new FinishedPage(c)};
    for (WizardPage* page : m_pageList) {
        m_pages->addWidget(page);
        page->finishTabOrder();
        connect(page, &WizardPage::cancelRequested, this, &QWidget::close);
    }
    connect(static_cast<FinishedPage*>(m_pageList.last()), &FinishedPage::viewCodeRequested, this,
            &GeneratorWizard::viewCode);
    setCentralWidget(m_pages);
    m_livePreview = new LivePreviewWindow(c, this);
    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(&c, &WizardController::pageChanged, this, &GeneratorWizard::showCurrentPage);
    connect(&c, &WizardController::changed, this, [this] {
        if (WizardPage* current = page(m_pages->currentIndex()))
            current->refresh();
    });
    connect(&c, &WizardController::projectReplaced, this, [this] {
        for (WizardPage* page : m_pageList)
            page->refresh();
    });
    qApp->installEventFilter(this);

    c.start();
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    showSplash();
}

GeneratorWizard::~GeneratorWizard()
{
    qApp->removeEventFilter(this);
}

WizardPage* GeneratorWizard::page(int index) const
{
    return m_pageList.value(index);
}

void GeneratorWizard::showCurrentPage(int index)
{
    WizardPage* shown = page(index);
    if (!shown)
        return;
    shown->refresh();
    m_pages->setCurrentWidget(shown);
    // Focus the first control that holds a value, never a button that opens a dialog; a page
    // with none focuses "Next >>".
    QWidget* first = shown->nextButton()->isVisibleTo(shown) ? shown->nextButton() : nullptr;
    for (QWidget* w = shown->nextInFocusChain(); w != shown; w = w->nextInFocusChain()) {
        if (shown->isAncestorOf(w) && w->isVisibleTo(shown) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QPushButton*>(w)) {
            first = w;
            break;
        }
    }
    if (first)
        first->setFocus(Qt::TabFocusReason);
}

void GeneratorWizard::buildMenus()
{
    // Items that open a modal dialog do so once the triggering call has returned: a screen
    // reader's activation waits for its answer, which the dialog would hold until it closes.
    const auto addDialogItem = [this](QMenu* menu, const QString& text, const char* name,
                                      const auto& open) {
        QAction* action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, open, Qt::QueuedConnection);
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addDialogItem(file, QStringLiteral("New from &Design\u2026"), "NewfromDesign1", [this] {
        DesignGalleryDialog dialog(m_controller->optionSets().text, this);
        if (dialog.exec() == QDialog::Accepted)
            m_controller->newFromDesign(dialog.chosenDesign());
    });
    addDialogItem(file, QStringLiteral("&Open..."), "Open1",
                  [this] { m_controller->openProject(); });
    file->addSeparator();
    addDialogItem(file, QStringLiteral("&Save..."), "Save1",
                  [this] { m_controller->saveProject(); });
    addDialogItem(file, QStringLiteral("Save &as..."), "Saveas1",
                  [this] { m_controller->saveProjectAs(); });
    addDialogItem(file, QStringLiteral("&Designer"), "Designer1", [this] { openDesigner(); });
    file->addSeparator();
    file->addAction(QStringLiteral("E&xit"), this, &QWidget::close)
        ->setObjectName(QStringLiteral("Exit1"));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Options"));
    // Each opening makes a new dialog on the current set; only OK changes anything.
    addDialogItem(options, QStringLiteral("&JPEG image file options"), "JPEGimagefileoptions1",
                  [this] {
                      JpegOptionsDialog dialog(m_controller->optionSets().jpeg, this);
                      if (dialog.exec() == QDialog::Accepted)
                          m_controller->confirmJpegOptions(dialog.result());
                  });
    QAction* offsets =
        addDialogItem(options, QStringLiteral("&Offsets and Indents options"),
                      "OffsetsandIndentsoptions1", [this] {
                          TextOffsetOptionsDialog dialog(m_controller->optionSets().text, this);
                          if (dialog.exec() == QDialog::Accepted)
                              m_controller->confirmTextOffsetOptions(dialog.result());
                      });
    offsets->setStatusTip(QStringLiteral("Offsets and Indents options"));
    offsets->setToolTip(offsets->statusTip());
    options->addSeparator();
    m_livePreviewAction = options->addAction(QStringLiteral("&Live preview"));
    m_livePreviewAction->setCheckable(true);
    connect(m_livePreviewAction, &QAction::toggled, this, [this](bool on) {
        if (on) {
            m_livePreview->placeBeside(this);
            m_livePreview->show();
        } else {
            m_livePreview->hide();
        }
    });
    m_livePreview->installEventFilter(this);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Contents"), this, [this] { m_controller->showHelp(); })
        ->setObjectName(QStringLiteral("Contents1"));
    help->addSeparator();
    addDialogItem(help, QStringLiteral("About"), "About1", [this] { showAbout(); });
}

DesignerWindow* GeneratorWizard::openDesigner()
{
    // A window of its own, not the wizard's child: the wizard's colours and small font stay
    // with the wizard.
    auto* designer = new DesignerWindow;
    designer->setAttribute(Qt::WA_DeleteOnClose);
    designer->takeProject(m_controller->project(), m_controller->pictures(),
                          m_controller->optionSets());
    designer->show();
    return designer;
}

SplashForm* GeneratorWizard::splash() const
{
    return m_splash;
}

void GeneratorWizard::showAbout()
{
    // A start-up splash still shown stays until its picture is clicked.
    m_splashTimer->stop();
    SplashForm about(SplashForm::About, this);
    about.move(geometry().center() - about.rect().center());
    connect(&about, &SplashForm::webPageRequested, this, [this] { m_controller->showWebPage(); });
    about.exec();
}

void GeneratorWizard::viewCode()
{
    const std::unique_ptr<CodeViewer> viewer = m_controller->openCodeViewer();
    if (!viewer)
        return;
    CodeViewerForm form(*viewer, this);
    form.exec();
}

void GeneratorWizard::showSplash()
{
    auto* splash = new SplashForm(SplashForm::StartUp, this);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->move(geometry().center() - splash->rect().center());
    splash->show();
    m_splash = splash;
    m_splashTimer->setSingleShot(true);
    connect(m_splashTimer, &QTimer::timeout, this, &GeneratorWizard::closeSplash);
    m_splashTimer->start(splashMilliseconds);
}

void GeneratorWizard::closeSplash()
{
    if (m_splash)
        m_splash->close();
    m_splash = nullptr;
}

void GeneratorWizard::closeEvent(QCloseEvent* event)
{
    // Closing ends the program at once, splash and preview included; a run ends after its
    // current image and says how far it got.
    if (m_controller->generation().isRunning()) {
        m_controller->generation().stop();
        m_controller->generation().wait();
    }
    closeSplash();
    m_livePreview->hide();
    QMainWindow::closeEvent(event);
}

bool GeneratorWizard::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_livePreview && event->type() == QEvent::Hide)
        m_livePreviewAction->setChecked(false);
    // F1 with any Shift or Ctrl opens the help from every page, before the focused control
    // sees it.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this) {
            if (event->type() == QEvent::KeyPress &&
                !static_cast<QKeyEvent*>(event)->isAutoRepeat())
                m_controller->showHelp();
            event->accept();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
