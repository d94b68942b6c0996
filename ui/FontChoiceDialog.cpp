#include "FontChoiceDialog.h"

#include "ButtonFont.h"
#include "PlatformServices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QColor toQColor(ColorRef c)
{
    return QColor::fromRgb(QRgb(Colors::toRgb(c)));
}

// Items in bold * 2 + italic order.
const char* const styleNames[] = {"Regular", "Italic", "Bold", "Bold Italic"};
} // namespace

FontChoiceDialog::FontChoiceDialog(const ButtonStateStyle& initial, PlatformServices& platform,
                                   QWidget* parent)
    : QDialog(parent), m_style(initial), m_platform(platform), m_face(new QFontComboBox(this)),
      m_fontStyle(new QComboBox(this)), m_size(new QSpinBox(this)),
      m_underline(new QCheckBox(QStringLiteral("&Underline"), this)),
      m_strikeOut(new QCheckBox(QStringLiteral("S&trikeout"), this)),
      m_color(new QPushButton(QStringLiteral("&Color..."), this)), m_sample(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Font"));
    m_face->setEditable(true);
    m_face->setCurrentText(initial.fontName);
    m_face->setAccessibleName(QStringLiteral("Font"));
    for (const char* name : styleNames)
        m_fontStyle->addItem(QLatin1String(name));
    m_fontStyle->setCurrentIndex(int(initial.fontBold) * 2 + int(initial.fontItalic));
    m_fontStyle->setAccessibleName(QStringLiteral("Font style"));
    m_size->setRange(1, maxPointSize);
    m_size->setValue(qBound(1, initial.fontSize, maxPointSize));
    m_size->setAccessibleName(QStringLiteral("Size"));
    m_underline->setChecked(initial.fontUnderline);
    m_strikeOut->setChecked(initial.fontStrikeOut);
    m_sample->setText(QStringLiteral("AaBbYyZz"));
    m_sample->setAccessibleName(QStringLiteral("Sample"));
    m_sample->setAlignment(Qt::AlignCenter);
    m_sample->setFixedSize(300, 72);
    m_sample->setFrameShape(QFrame::Box);
    m_sample->setAutoFillBackground(true);
    m_sample->setTextFormat(Qt::PlainText);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Font:"), m_face);
    form->addRow(QStringLiteral("Font st&yle:"), m_fontStyle);
    form->addRow(QStringLiteral("&Size:"), m_size);
    auto* effects = new QHBoxLayout;
    effects->addWidget(m_underline);
    effects->addWidget(m_strikeOut);
    effects->addWidget(m_color);
    effects->addStretch(1);
    form->addRow(QStringLiteral("Effects:"), effects);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_sample, 0, Qt::AlignHCenter);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_color, &QPushButton::clicked, this, [this] {
        if (const auto color = m_platform.chooseColor(m_style.fontColor)) {
            m_style.fontColor = *color;
            showColor();
        }
    });
    connect(m_face, &QComboBox::currentTextChanged, this, &FontChoiceDialog::showSample);
    connect(m_fontStyle, &QComboBox::currentIndexChanged, this, &FontChoiceDialog::showSample);
    connect(m_size, &QSpinBox::valueChanged, this, &FontChoiceDialog::showSample);
    connect(m_underline, &QCheckBox::toggled, this, &FontChoiceDialog::showSample);
    connect(m_strikeOut, &QCheckBox::toggled, this, &FontChoiceDialog::showSample);
    showColor();
}

ButtonStateStyle FontChoiceDialog::chosen() const
{
    ButtonStateStyle style = m_style;
    style.fontName = m_face->currentText();
    style.fontSize = m_size->value();
    style.fontBold = m_fontStyle->currentIndex() >= 2;
    style.fontItalic = m_fontStyle->currentIndex() % 2 == 1;
    style.fontUnderline = m_underline->isChecked();
    style.fontStrikeOut = m_strikeOut->isChecked();
    return style;
}

void FontChoiceDialog::showColor()
{
    QPixmap swatch(24, 12);
    swatch.fill(toQColor(m_style.fontColor));
    m_color->setIcon(QIcon(swatch));
    showSample();
}

void FontChoiceDialog::showSample()
{
    // The font as the buttons get it, on the state's background.
    const ButtonStateStyle style = chosen();
    m_sample->setFont(ButtonFont::fontFor(style));
    QPalette p = m_sample->palette();
    p.setColor(QPalette::Window, toQColor(style.backgroundColor));
    p.setColor(QPalette::WindowText, toQColor(style.fontColor));
    m_sample->setPalette(p);
}
