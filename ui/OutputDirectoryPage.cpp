#include "OutputDirectoryPage.h"

#include "TypedLengthValidator.h"
#include "WizardController.h"
#include "WizardTexts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

OutputDirectoryPage::OutputDirectoryPage(WizardController& wizard, QWidget* parent)
    : WizardPage(WizardController::OutputDirectory, wizard, parent)
{
    auto* layout = new QVBoxLayout(body());
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);
    layout->addWidget(stepLine(QStringLiteral("9."),
                               QStringLiteral("Select your output directory to store your image "
                                              "files and sample HTML file"),
                               body()));
    auto* directoryRow = new QHBoxLayout;
    directoryRow->setContentsMargins(36, 0, 0, 0);
    QPushButton* select = button(QStringLiteral("Select Folder..."), body());
    select->setObjectName(QStringLiteral("btnOutputDirectorySelect"));
    m_directory = pathField(QStringLiteral("lblOutputDirectoryFileName"),
                            QStringLiteral("Output directory"), body());
    m_directory->setReadOnly(false);
    directoryRow->addWidget(select);
    directoryRow->addWidget(m_directory, 1);
    layout->addLayout(directoryRow);

    layout->addWidget(stepLine(QStringLiteral("10."),
                               QStringLiteral("Enter a prefix to used as part of each file name"),
                               body()));
    auto* prefixRow = new QHBoxLayout;
    prefixRow->setContentsMargins(36, 0, 0, 0);
    auto* prefixLabel = new QLabel(QStringLiteral("Prefix"), body());
    m_prefix = new QLineEdit(body());
    m_prefix->setObjectName(QStringLiteral("edOutputDirectoryFileNamePrefix"));
    m_prefix->setAccessibleName(prefixLabel->text());
    m_prefixLimit = new TypedLengthValidator(WizardTexts::maxPrefixLength, m_prefix);
    m_prefix->setValidator(m_prefixLimit);
    m_prefix->setFixedWidth(90);
    prefixLabel->setBuddy(m_prefix);
    prefixRow->addWidget(prefixLabel);
    prefixRow->addWidget(m_prefix);
    prefixRow->addSpacing(20);
    prefixRow->addWidget(new QLabel(QStringLiteral("...OR..."), body()));
    prefixRow->addStretch(1);
    layout->addLayout(prefixRow);

    m_useCaptions = new QCheckBox(QStringLiteral("Check this box for me to make up file names "
                                                 "based on your captions instead."),
                                  body());
    m_useCaptions->setObjectName(QStringLiteral("cbOutputDirectoryUseLabelsAsNames"));
    m_useCaptions->setAccessibleName(m_useCaptions->text());
    auto* captionsRow = new QHBoxLayout;
    captionsRow->setContentsMargins(36, 0, 0, 0);
    captionsRow->addWidget(m_useCaptions);
    layout->addLayout(captionsRow);
    auto* example = wrappedLabel(QStringLiteral("For example, if you used BTN as a prefix, your "
                                                "images files would be named  BTN1 and BTN1S, and "
                                                "your html file would be named BTNPAGE.HTML"),
                                 body());
    example->setContentsMargins(36, 0, 0, 0);
    layout->addWidget(example);
    layout->addStretch(1);

    connect(select, &QPushButton::clicked, this, [this] { m_wizard.chooseOutputDirectory(); });
    connect(m_directory, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_wizard.set(&ButtonProject::outputDirectory, text); });
    connect(m_prefix, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_wizard.setFileNamePrefix(text); });
    connect(m_useCaptions, &QCheckBox::toggled, this,
            [this](bool on) { m_wizard.set(&ButtonProject::useCaptionsAsNames, on); });
}

void OutputDirectoryPage::refresh()
{
    const ButtonProject& project = m_wizard.project();
    // Only a text that differs is set, so the caret stays where the user types.
    if (m_directory->text() != project.outputDirectory) {
        const QSignalBlocker blocker(m_directory);
        m_directory->setText(project.outputDirectory);
        m_directory->setCursorPosition(0);
    }
    if (m_prefix->text() != project.fileNamePrefix) {
        const QSignalBlocker blocker(m_prefix);
        m_prefixLimit->allowText(project.fileNamePrefix);
        m_prefix->setText(project.fileNamePrefix);
    }
    const QSignalBlocker blocker(m_useCaptions);
    m_useCaptions->setChecked(project.useCaptionsAsNames);
}
