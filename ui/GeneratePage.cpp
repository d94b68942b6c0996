#include "GeneratePage.h"

#include "MoreOptionsDialog.h"
#include "RadioGroupBox.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

GeneratePage::GeneratePage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::Generate, wizard, parent)
{
    auto* layout = new QGridLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setVerticalSpacing(4);
    layout->addWidget(stepLine(QStringLiteral("13."),
                               QStringLiteral("Press the [Next>>] button to generate  the image "
                                              "files and sample html file"),
                               body()),
                      0, 0, 1, 3);
    layout->addWidget(
        instructionMemo(QStringLiteral("MEM_GEN"), QStringLiteral("About generating"), body()), 1,
        0, 2, 1);
    layout->addWidget(stepLine(QStringLiteral("14."), QString(), body()), 1, 1, Qt::AlignTop);
    m_format = new RadioGroupBox(radioGroupTexts<ImageFileFormat>(), body());
    m_format->setObjectName(QStringLiteral("rgImageFileFormat"));
    layout->addWidget(m_format, 1, 2, Qt::AlignTop);
    m_pictureOrRun = new QStackedWidget(body());
    auto* pictureCell = new QWidget(m_pictureOrRun);
    auto* centred = new QGridLayout(pictureCell);
    centred->setContentsMargins(0, 0, 0, 0);
    QLabel* shown = picture(QStringLiteral("generate.png"), pictureCell);
    centred->addWidget(shown, 0, 0, Qt::AlignCenter);
    m_pictureOrRun->addWidget(pictureCell);
    m_pictureOrRun->addWidget(runPanel());
    m_pictureOrRun->setFixedHeight(shown->height());
    layout->addWidget(m_pictureOrRun, 2, 1, 1, 2, Qt::AlignVCenter);
    m_more = button(WizardTexts::moreOptionsButton, body());
    m_more->setObjectName(QStringLiteral("btnMoreOptions"));
    layout->addWidget(m_more, 3, 1, 1, 2, Qt::AlignRight);
    m_cutNote = new QLabel(body());
    m_cutNote->setObjectName(QStringLiteral("lblCutCaptions"));
    m_cutNote->setTextFormat(Qt::PlainText);
    // One line beside "More options…", elided to the room there; the tooltip holds it all.
    m_cutNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_cutNote->installEventFilter(this);
    m_cutNote->hide();
    layout->addWidget(m_cutNote, 3, 0);
    layout->setColumnStretch(0, 1);

    connect(m_more, &QPushButton::clicked, this, &GeneratePage::showMoreOptions);
    connect(m_format, &RadioGroupBox::picked, this,
            [this](int i) { m_wizard.set(&ButtonProject::imageFileFormat, ImageFileFormat(i)); });
    const GenerationJob& job = m_wizard.generation();
    connect(&job, &GenerationJob::started, this, [this] { setRunning(true); });
    connect(&job, &GenerationJob::finished, this, [this] { setRunning(false); });
    connect(&job, &GenerationJob::progress, this, &GeneratePage::showProgress);
}

QWidget* GeneratePage::runPanel()
{
    auto* panel = new QWidget(m_pictureOrRun);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    // Its text is its name, so a screen reader reads how far the run is.
    m_runText = wrappedLabel(QString(), panel);
    m_runText->setObjectName(QStringLiteral("lblGenerationProgress"));
    m_progress = new QProgressBar(panel);
    m_progress->setAccessibleName(WizardTexts::progressBarName);
    m_stop = button(WizardTexts::stopButton, panel);
    m_stop->setObjectName(QStringLiteral("btnStopGeneration"));
    column->addWidget(m_runText);
    column->addWidget(m_progress);
    column->addWidget(m_stop, 0, Qt::AlignRight);
    column->addStretch(1);
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_stop->setEnabled(false);
        m_wizard.generation().stop();
    });
    return panel;
}

void GeneratePage::setRunning(bool running)
{
    for (QWidget* w : {static_cast<QWidget*>(m_format), static_cast<QWidget*>(m_more),
                       static_cast<QWidget*>(previousButton()), static_cast<QWidget*>(nextButton()),
                       static_cast<QWidget*>(cancelButton())})
        w->setEnabled(!running);
    m_stop->setEnabled(running);
    m_stop->setVisible(running);
    if (running) {
        m_runText->clear();
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
        m_pictureOrRun->setCurrentIndex(1);
        m_stop->setFocus(Qt::OtherFocusReason);
        return;
    }
    refresh();
    if (m_pictureOrRun->currentIndex() == 1)
        nextButton()->setFocus(Qt::OtherFocusReason);
}

void GeneratePage::showProgress(int done, int total)
{
    m_runText->setText(WizardTexts::generationProgress(done, total));
    m_progress->setRange(0, total);
    m_progress->setValue(done);
}

void GeneratePage::showMoreOptions()
{
    MoreOptionsDialog dialog(m_wizard.project(), this, ProjectKeys::optional(),
                             &m_wizard.platform());
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_wizard.takeOptions(dialog.chosen());
}

void GeneratePage::refresh()
{
    m_format->setSelectedIndex(int(m_wizard.project().imageFileFormat));
    if (!m_wizard.generation().isRunning()) {
        const QString stopped = m_wizard.stoppedRunText();
        m_runText->setText(stopped);
        m_pictureOrRun->setCurrentIndex(stopped.isEmpty() ? 0 : 1);
    }
    // Measuring every caption is only worth it for the page on screen.
    if (m_wizard.currentPage() != WizardController::Generate)
        return;
    m_cutCaptions = m_wizard.preview().cutCaptions();
    const QString note = WizardTexts::cutCaptionsNote(m_cutCaptions);
    m_cutNote->setToolTip(note);
    m_cutNote->setAccessibleName(note);
    showCutNote();
    m_cutNote->setVisible(!note.isEmpty());
}

void GeneratePage::showCutNote()
{
    // Shorter captions first, so that the count at the end stays in view.
    const QFontMetrics metrics = m_cutNote->fontMetrics();
    const int room = m_cutNote->width();
    QString note;
    for (int length = 16; length >= 4; --length) {
        note = WizardTexts::cutCaptionsNote(m_cutCaptions, length);
        if (metrics.horizontalAdvance(note) <= room)
            break;
    }
    m_cutNote->setText(metrics.elidedText(note, Qt::ElideRight, room));
}

bool GeneratePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_cutNote && event->type() == QEvent::Resize)
        showCutNote();
    return WizardPage::eventFilter(watched, event);
}
