#include "DesignerWindow.h"

#include "DesignGalleryDialog.h"
#include "DesignerCaptionPanel.h"
#include "DesignerController.h"
#include "DesignerGeneratePanel.h"
#include "DesignerOutputPanel.h"
#include "DesignerPreviewGrid.h"
#include "DesignerStylePanel.h"
#include "OptionTableForm.h"
#include "PredefinedBackground.h"
#include "QtPlatformServices.h"
#include "WizardTexts.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
constexpr ButtonState allStates[] = {ButtonState::Normal, ButtonState::Selected,
                                     ButtonState::Pressed};
constexpr QSize thumbnail(72, 28);
} // namespace

DesignerWindow::DesignerWindow(QWidget* parent)
    : DesignerWindow(std::make_unique<QtPlatformServices>(nullptr, title), nullptr, parent)
{
}

DesignerWindow::DesignerWindow(PlatformServices& platform, QWidget* parent)
    : DesignerWindow(nullptr, &platform, parent)
{
}

DesignerWindow::DesignerWindow(std::unique_ptr<QtPlatformServices> ownPlatform,
                               PlatformServices* platform, QWidget* parent)
    : QMainWindow(parent), m_ownPlatform(std::move(ownPlatform))
{
    if (m_ownPlatform) {
        m_ownPlatform->setParent(this);
        platform = m_ownPlatform.get();
    }
    m_designer = std::make_unique<DesignerController>(*platform);
    DesignerController& d = *m_designer;

    m_captions = new DesignerCaptionPanel(d, this);
    m_output = new DesignerOutputPanel(d, this);
    auto* outputBox = new QGroupBox(QStringLiteral("Output"), this);
    (new QVBoxLayout(outputBox))->addWidget(m_output);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addWidget(m_captions, 1);
    leftLayout->addWidget(outputBox);

    m_tabs = new QTabWidget(this);
    m_tabs->setAccessibleName(QStringLiteral("Button states"));
    QStandardItemModel* backgrounds = backgroundModel(this);
    for (const ButtonState state : allStates) {
        auto* panel = new DesignerStylePanel(state, d, backgrounds, m_tabs);
        m_styles << panel;
        // Scrolled, so that a small screen still holds the window.
        auto* scroll = new QScrollArea(m_tabs);
        scroll->setWidget(panel);
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        m_tabs->addTab(scroll, DesignerStylePanel::stateName(state));
    }
    // The option table's form, as the wizard's More options dialog shows it.
    m_options = new OptionTableForm(d.project(), ProjectKeys::optional(), &d.platform(), m_tabs,
                                    Qt::Vertical);
    auto* options = new QScrollArea(m_tabs);
    options->setWidget(m_options);
    options->setWidgetResizable(true);
    options->setFrameShape(QFrame::NoFrame);
    m_tabs->addTab(options, WizardTexts::moreOptionsTitle);
    connect(m_options, &OptionTableForm::changed, this,
            [this] { m_designer->takeOptions(m_options->chosen()); });

    auto* top = new QSplitter(Qt::Horizontal, this);
    top->addWidget(left);
    top->addWidget(m_tabs);
    top->setStretchFactor(1, 1);
    auto* whole = new QSplitter(Qt::Vertical, this);
    whole->addWidget(top);
    whole->addWidget(buildPreview());
    whole->setStretchFactor(0, 1);
    whole->setSizes({600, defaultSize.height() - 600});
    setCentralWidget(whole);
    buildMenus();

    connect(&d, &ProjectSession::changed, this, &DesignerWindow::refresh);
    connect(&d, &DesignerController::modifiedChanged, this, &DesignerWindow::showTitle);
    connect(&d, &DesignerController::fileNameChanged, this, &DesignerWindow::showTitle);
    connect(&d, &DesignerController::recentFilesChanged, this, &DesignerWindow::showRecentFiles);
    d.start();
    const QSize stored = d.storedWindowSize();
    resize(stored.isValid() ? stored : defaultSize);
}

DesignerWindow::~DesignerWindow() = default;

QStandardItemModel* DesignerWindow::backgroundModel(QObject* parent)
{
    auto* model = new QStandardItemModel(parent);
    for (int index = 0; index < PredefinedBackground::count; ++index) {
        auto* item = new QStandardItem(PredefinedBackground::listText(index));
        const QImage picture = PredefinedBackground::load(index);
        item->setIcon(QPixmap::fromImage(
            picture.scaled(thumbnail, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        item->setEditable(false);
        item->setToolTip(item->text());
        model->appendRow(item);
    }
    return model;
}

QWidget* DesignerWindow::buildPreview()
{
    auto* box = new QGroupBox(QStringLiteral("Preview"), this);
    auto* layout = new QVBoxLayout(box);
    auto* scales = new QHBoxLayout;
    auto* group = new QButtonGroup(box);
    for (const int scale : {1, 2}) {
        auto* choice = new QRadioButton(QStringLiteral("&%1\u00D7").arg(scale), box);
        choice->setAccessibleName(scale == 1 ? QStringLiteral("Preview at real size")
                                             : QStringLiteral("Preview at twice the size"));
        choice->setChecked(scale == 1);
        group->addButton(choice, scale);
        scales->addWidget(choice);
    }
    scales->addWidget(new QLabel(
        QStringLiteral("The mouse over a Normal button shows it as the page will."), box));
    scales->addStretch(1);
    layout->addLayout(scales);
    m_preview = new DesignerPreviewGrid(m_designer->preview(), box);
    layout->addWidget(m_preview, 1);
    m_generate = new DesignerGeneratePanel(*m_designer, box);
    layout->addWidget(m_generate);
    connect(group, &QButtonGroup::idToggled, this, [this](int scale, bool on) {
        if (on)
            m_preview->setScale(scale);
    });
    return box;
}

void DesignerWindow::buildMenus()
{
    DesignerController& d = *m_designer;
    // Items that open a modal dialog do so once the triggering call has returned: a screen
    // reader's activation waits for its answer, which the dialog would hold until it closes.
    const auto add = [this](QMenu* menu, const QString& text, QKeySequence keys,
                            const auto& action) {
        QAction* item = menu->addAction(text);
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, action, Qt::QueuedConnection);
        return item;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    add(file, QStringLiteral("&New"), QKeySequence::New, [&d] { d.newProject(); });
    add(file, QStringLiteral("New from &Design\u2026"), QKeySequence(), [this, &d] {
        if (!d.maySaveChanges())
            return;
        DesignGalleryDialog gallery(d.optionSets().text, this);
        if (gallery.exec() == QDialog::Accepted)
            d.newFromDesign(gallery.chosenDesign());
    });
    add(file, QStringLiteral("&Open\u2026"), QKeySequence::Open, [&d] { d.openProject(); });
    m_recent = file->addMenu(QStringLiteral("Open &Recent"));
    file->addSeparator();
    add(file, QStringLiteral("&Save"), QKeySequence::Save, [&d] { d.saveProject(); });
    add(file, QStringLiteral("Save &As\u2026"), QKeySequence::SaveAs, [&d] { d.saveProjectAs(); });
    file->addSeparator();
    add(file, QStringLiteral("&Close"), QKeySequence::Close, [this] { close(); });
    QMenu* generate = menuBar()->addMenu(QStringLiteral("&Generate"));
    add(generate, QStringLiteral("&Generate"), QKeySequence(Qt::Key_F5), [&d] { d.generate(); });
    add(generate, QStringLiteral("Open &Folder"), QKeySequence(), [&d] { d.openRunFolder(); });
    add(generate, QStringLiteral("Open &Page"), QKeySequence(), [&d] { d.openSamplePage(); });
}

void DesignerWindow::showRecentFiles()
{
    m_recent->clear();
    const QStringList recent = m_designer->recentFiles();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent.at(i);
        QAction* item = m_recent->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(path)));
        connect(
            item, &QAction::triggered, this, [this, path] { m_designer->openProjectFile(path); },
            Qt::QueuedConnection);
    }
    m_recent->setEnabled(!recent.isEmpty());
}

void DesignerWindow::takeProject(const ButtonProject& project, const BackgroundPictures& pictures,
                                 const OptionSets& options)
{
    m_designer->startFrom(project, pictures, options);
}

DesignerStylePanel* DesignerWindow::stylePanel(int index) const
{
    return m_styles.value(index);
}

void DesignerWindow::refresh()
{
    const QList<ButtonState> used = m_designer->usedStates();
    for (int i = 0; i < m_styles.size(); ++i) {
        m_styles[i]->refresh();
        m_tabs->setTabEnabled(i, used.contains(m_styles[i]->state()));
    }
    m_output->refresh();
    m_options->showProject(m_designer->project());
    m_preview->reload();
}

void DesignerWindow::showTitle()
{
    const QString& fileName = m_designer->project().projectFileName;
    setWindowTitle(fileName.isEmpty() ? title + QStringLiteral("[*]")
                                      : title + QStringLiteral(" \u2014 ") +
                                            m_designer->documentName() + QStringLiteral("[*]"));
    setWindowModified(m_designer->isModified());
}

void DesignerWindow::closeEvent(QCloseEvent* event)
{
    if (!m_designer->maySaveChanges()) {
        event->ignore();
        return;
    }
    // A run ends after its current image.
    if (m_designer->generation().isRunning()) {
        m_designer->generation().stop();
        m_designer->generation().wait();
    }
    m_designer->storeWindowSize(size());
    QMainWindow::closeEvent(event);
}
