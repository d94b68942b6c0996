#include "DesignerOutputPanel.h"

#include "DesignerController.h"
#include "DesignerFields.h"
#include "TypedLengthValidator.h"
#include "WizardTexts.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
template <typename E, typename F> QComboBox* bound(QWidget* parent, F picked)
{
    QComboBox* box = DesignerFields::choice<E>(parent);
    QObject::connect(box, &QComboBox::currentIndexChanged, parent, [picked](int index) {
        if (index >= 0)
            picked(E(index));
    });
    return box;
}
} // namespace

DesignerOutputPanel::DesignerOutputPanel(DesignerController& designer, QWidget* parent)
    : QWidget(parent), m_designer(designer)
{
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);

    auto* folderRow = new QHBoxLayout;
    m_folder = new QLineEdit(this);
    m_folder->setAccessibleName(QStringLiteral("Output folder"));
    QPushButton* browse = DesignerFields::button(QStringLiteral("&Browse\u2026"),
                                                 QStringLiteral("Pick the output folder"), this);
    folderRow->addWidget(m_folder, 1);
    folderRow->addWidget(browse);
    auto* folderLabel = new QLabel(QStringLiteral("Output fol&der"), this);
    folderLabel->setBuddy(m_folder);
    form->addRow(folderLabel, folderRow);
    connect(m_folder, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_designer.setOutputDirectory(text); });
    connect(browse, &QPushButton::clicked, this, [this] { m_designer.chooseOutputDirectory(); });

    m_prefix = new QLineEdit(this);
    m_prefix->setAccessibleName(QStringLiteral("File name prefix"));
    // A key past the limit does nothing, as on the wizard's page, rather than change nothing.
    m_prefixLimit = new TypedLengthValidator(WizardTexts::maxPrefixLength, m_prefix);
    m_prefix->setValidator(m_prefixLimit);
    form->addRow(QStringLiteral("File &name prefix"), m_prefix);
    connect(m_prefix, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_designer.setFileNamePrefix(text); });

    m_captionNames = new QCheckBox(QStringLiteral("Name the files after the &captions"), this);
    m_captionNames->setAccessibleName(QStringLiteral("Captions as file names"));
    form->addRow(m_captionNames);
    connect(m_captionNames, &QCheckBox::toggled, this,
            [this](bool on) { m_designer.set(&ButtonProject::useCaptionsAsNames, on); });

    m_format = bound<ImageFileFormat>(this, [this](ImageFileFormat format) {
        m_designer.set(&ButtonProject::imageFileFormat, format);
    });
    form->addRow(QStringLiteral("Image format"), m_format);
    m_javaScript = bound<JavaScriptOption>(this, [this](JavaScriptOption option) {
        m_designer.set(&ButtonProject::javaScriptOption, option);
    });
    form->addRow(QStringLiteral("JavaScript"), m_javaScript);
    m_direction = bound<HtmlDirection>(this, [this](HtmlDirection direction) {
        m_designer.set(&ButtonProject::htmlDirection, direction);
    });
    m_direction->setAccessibleName(QStringLiteral("Page direction"));
    form->addRow(QStringLiteral("Direction"), m_direction);
    m_table = bound<HtmlTable>(
        this, [this](HtmlTable table) { m_designer.set(&ButtonProject::htmlTable, table); });
    form->addRow(QStringLiteral("Alignment"), m_table);
}

void DesignerOutputPanel::refresh()
{
    const ButtonProject& project = m_designer.project();
    DesignerFields::show(m_folder, project.outputDirectory);
    m_prefixLimit->allowText(project.fileNamePrefix);
    DesignerFields::show(m_prefix, project.fileNamePrefix);
    DesignerFields::show(m_captionNames, project.useCaptionsAsNames);
    DesignerFields::show(m_format, project.imageFileFormat);
    DesignerFields::show(m_javaScript, project.javaScriptOption);
    DesignerFields::show(m_direction, project.htmlDirection);
    DesignerFields::show(m_table, project.htmlTable);
}
