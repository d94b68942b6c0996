#include "DesignGalleryDialog.h"

#include "DesignGallery.h"
#include "DesignThumbnail.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
// Every tile as large as the largest built-in picture, with a margin of page around it.
const QSize tileSize(184, 56);

// The button on its own page colour, so that a dark design is seen as it will be.
QPixmap tile(const ButtonProject& design, const TextOffsetOptions& offsets)
{
    QImage image(tileSize, QImage::Format_RGB32);
    image.fill(QColor::fromRgb(Colors::toRgb(design.pageColor)));
    const QImage button = DesignThumbnail::render(design, offsets);
    QPainter painter(&image);
    painter.drawImage((tileSize.width() - button.width()) / 2,
                      (tileSize.height() - button.height()) / 2, button);
    painter.end();
    return QPixmap::fromImage(image);
}
} // namespace

DesignGalleryDialog::DesignGalleryDialog(const TextOffsetOptions& offsets, QWidget* parent)
    : QDialog(parent), m_list(new QListWidget(this)), m_description(new QLabel(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(title);
    m_list->setViewMode(QListView::IconMode);
    m_list->setIconSize(tileSize);
    m_list->setGridSize(tileSize + QSize(16, 36));
    m_list->setResizeMode(QListView::Adjust);
    m_list->setMovement(QListView::Static);
    m_list->setWordWrap(true);
    m_list->setAccessibleName(QStringLiteral("Designs"));
    for (const DesignGallery::Design& design : DesignGallery::designs()) {
        const std::optional<ButtonProject> project = DesignGallery::load(design.name);
        auto* item = new QListWidgetItem(project ? QIcon(tile(*project, offsets)) : QIcon(),
                                         design.name, m_list);
        item->setToolTip(design.description);
        item->setData(Qt::AccessibleDescriptionRole, design.description);
    }
    // Four columns, and rows enough to show every design without a scroll bar.
    const int columns = 4;
    const int rows = (m_list->count() + columns - 1) / columns;
    const int frame = 2 * m_list->frameWidth() + 8;
    // Laid out before it knows the bar is not needed, the grid leaves it room.
    const int bar = m_list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_list->setMinimumSize(columns * m_list->gridSize().width() + frame + bar,
                           rows * m_list->gridSize().height() + frame);

    m_description->setWordWrap(true);
    m_description->setMinimumHeight(m_description->fontMetrics().lineSpacing() * 2);
    auto* label = new QLabel(QStringLiteral("&Start a new project in the look of:"), this);
    label->setBuddy(m_list);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_description);
    layout->addWidget(m_buttons);

    connect(m_list, &QListWidget::currentRowChanged, this, &DesignGalleryDialog::showDescription);
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_list->setCurrentRow(0);
    showDescription();
    m_list->setFocus();
}

QString DesignGalleryDialog::chosenDesign() const
{
    const QListWidgetItem* item = m_list->currentItem();
    return item ? item->text() : QString();
}

void DesignGalleryDialog::showDescription()
{
    const QListWidgetItem* item = m_list->currentItem();
    m_description->setText(item ? item->toolTip() : QString());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!chosenDesign().isEmpty());
}
