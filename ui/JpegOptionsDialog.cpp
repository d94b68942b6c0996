#include "JpegOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

JpegOptionsDialog::JpegOptionsDialog(const JpegFileOptions& current, QWidget* parent)
    : OptionsDialog(JpegOptionsEditor::title, parent), m_editor(current)
{
    setObjectName(QStringLiteral("FormJPEGImageFileOptions"));
    auto* heading = new QLabel(JpegOptionsEditor::heading, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    rows()->addWidget(heading, 0, 0, 1, 3);

    m_quality = addScrollBarRow(
        JpegOptionsEditor::qualityRow, QStringLiteral("ScrollBarCompressionQuality"),
        JpegOptionsEditor::minimumQuality, JpegOptionsEditor::maximumQuality, &m_qualityNumber);
    m_qualityNumber->setObjectName(QStringLiteral("lblCompressionQuality"));

    auto* pixelFormat = new QGroupBox(this);
    pixelFormat->setObjectName(QStringLiteral("rgPixelFormat"));
    auto* columns = new QHBoxLayout(pixelFormat);
    columns->setContentsMargins(6, 2, 6, 2);
    m_eightBit = new QRadioButton(JpegOptionsEditor::eightBitText, pixelFormat);
    m_twentyFourBit = new QRadioButton(JpegOptionsEditor::twentyFourBitText, pixelFormat);
    auto* group = new QButtonGroup(pixelFormat);
    for (QRadioButton* b : {m_eightBit, m_twentyFourBit}) {
        b->setAccessibleName(b->text());
        group->addButton(b);
        columns->addWidget(b, 1);
    }
    addRow(JpegOptionsEditor::pixelFormatRow, pixelFormat);

    m_progressive =
        addCheckBoxRow(JpegOptionsEditor::progressiveRow, QStringLiteral("cbProgressiveEncoding"));
    m_grayscale = addCheckBoxRow(JpegOptionsEditor::grayScaleRow, QStringLiteral("cbGrayScale"));
    m_retain = finish();

    showEditor();
    connect(m_quality, &QScrollBar::valueChanged, this, [this](int value) {
        m_editor.setQuality(value);
        m_qualityNumber->setText(m_editor.qualityLabel());
    });
    connect(m_eightBit, &QRadioButton::toggled, this,
            [this](bool on) { m_editor.setEightBit(on); });
    connect(m_progressive, &QCheckBox::toggled, this,
            [this](bool on) { m_editor.setProgressiveEncoding(on); });
    connect(m_grayscale, &QCheckBox::toggled, this, [this](bool on) { m_editor.setGrayscale(on); });
    connect(m_retain, &QCheckBox::toggled, this,
            [this](bool on) { m_editor.setRetainSettings(on); });
}

void JpegOptionsDialog::showEditor()
{
    const QSignalBlocker blockers[] = {
        QSignalBlocker(m_quality),     QSignalBlocker(m_eightBit),  QSignalBlocker(m_twentyFourBit),
        QSignalBlocker(m_progressive), QSignalBlocker(m_grayscale), QSignalBlocker(m_retain)};
    m_quality->setValue(m_editor.quality());
    m_qualityNumber->setText(m_editor.qualityLabel());
    (m_editor.eightBit() ? m_eightBit : m_twentyFourBit)->setChecked(true);
    m_progressive->setChecked(m_editor.progressiveEncoding());
    m_grayscale->setChecked(m_editor.grayscale());
    m_retain->setChecked(m_editor.retainSettings());
}

void JpegOptionsDialog::restoreDefaults()
{
    m_editor.restoreDefaults();
    showEditor();
}
