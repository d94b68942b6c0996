#include "DesignerGeneratePanel.h"

#include "DesignerController.h"
#include "DesignerFields.h"
#include "WizardTexts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

DesignerGeneratePanel::DesignerGeneratePanel(DesignerController& designer, QWidget* parent)
    : QWidget(parent), m_designer(designer)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_generate = DesignerFields::button(QStringLiteral("Generate"),
                                        QStringLiteral("Generate the buttons and the page"), this);
    m_progress = new QProgressBar(this);
    m_progress->setAccessibleName(WizardTexts::progressBarName);
    m_stop = DesignerFields::button(WizardTexts::stopButton, QStringLiteral("Stop the run"), this);
    // Its text is its name, so a screen reader reads what was written.
    m_result = new QLabel(this);
    m_result->setTextFormat(Qt::PlainText);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_openFolder = DesignerFields::button(QStringLiteral("Open Fo&lder"),
                                          QStringLiteral("Open the output folder"), this);
    m_openPage = DesignerFields::button(QStringLiteral("Open &Page"),
                                        QStringLiteral("Open the sample page"), this);
    layout->addWidget(m_generate);
    layout->addWidget(m_progress);
    layout->addWidget(m_stop);
    layout->addWidget(m_result, 1);
    layout->addWidget(m_openFolder);
    layout->addWidget(m_openPage);
    for (QWidget* hidden : {static_cast<QWidget*>(m_progress), static_cast<QWidget*>(m_stop),
                            static_cast<QWidget*>(m_openFolder), static_cast<QWidget*>(m_openPage)})
        hidden->hide();

    connect(m_generate, &QPushButton::clicked, this, [this] { m_designer.generate(); });
    connect(m_stop, &QPushButton::clicked, this, [this] {
        m_stop->setEnabled(false);
        m_designer.generation().stop();
    });
    connect(m_openFolder, &QPushButton::clicked, this, [this] { m_designer.openRunFolder(); });
    connect(m_openPage, &QPushButton::clicked, this, [this] { m_designer.openSamplePage(); });
    const GenerationJob& job = m_designer.generation();
    connect(&job, &GenerationJob::started, this, [this] { setRunning(true); });
    connect(&job, &GenerationJob::finished, this, [this] { setRunning(false); });
    connect(&job, &GenerationJob::progress, this, &DesignerGeneratePanel::showProgress);
}

void DesignerGeneratePanel::setRunning(bool running)
{
    m_generate->setEnabled(!running);
    m_progress->setVisible(running);
    m_stop->setVisible(running);
    m_stop->setEnabled(running);
    if (running) {
        m_result->clear();
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
        m_openFolder->hide();
        m_openPage->hide();
        m_stop->setFocus(Qt::OtherFocusReason);
        return;
    }
    const GenerationResult& result = m_designer.generation().lastResult();
    m_result->setText(m_designer.generationSummary());
    m_result->setAccessibleName(m_result->text());
    m_openFolder->show();
    m_openPage->setVisible(result.pageWritten);
    m_generate->setFocus(Qt::OtherFocusReason);
}

void DesignerGeneratePanel::showProgress(int done, int total)
{
    m_progress->setRange(0, total);
    m_progress->setValue(done);
    m_progress->setFormat(WizardTexts::generationProgress(done, total));
}
