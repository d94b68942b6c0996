#include "GeneratePage.h"

#include "MoreOptionsDialog.h"
#include "RadioGroupBox.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

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
    layout->addWidget(picture(QStringLiteral("generate.png"), body()), 2, 1, 1, 2, Qt::AlignCenter);
    QPushButton* more = button(WizardTexts::moreOptionsButton, body());
    more->setObjectName(QStringLiteral("btnMoreOptions"));
    layout->addWidget(more, 3, 1, 1, 2, Qt::AlignRight);
    m_cutNote = new QLabel(body());
    m_cutNote->setObjectName(QStringLiteral("lblCutCaptions"));
    m_cutNote->setTextFormat(Qt::PlainText);
    // One line beside "More options…", elided to the room there; the tooltip holds it all.
    m_cutNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    m_cutNote->installEventFilter(this);
    m_cutNote->hide();
    layout->addWidget(m_cutNote, 3, 0);
    layout->setColumnStretch(0, 1);

    connect(more, &QPushButton::clicked, this, &GeneratePage::showMoreOptions);
    connect(m_format, &RadioGroupBox::picked, this,
            [this](int i) { m_wizard.set(&ButtonProject::imageFileFormat, ImageFileFormat(i)); });
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
