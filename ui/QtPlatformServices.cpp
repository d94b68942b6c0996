#include "QtPlatformServices.h"

#include "OwnImageLoader.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
QColor toQColor(ColorRef c)
{
    return QColor::fromRgb(QRgb(Colors::toRgb(c)));
}

ColorRef fromQColor(const QColor& c)
{
    return Colors::rgb(c.red(), c.green(), c.blue());
}

void showBox(QWidget* parent, const QString& title, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void paintSwatch(QPushButton* button, ColorRef color)
{
    QPixmap swatch(24, 12);
    swatch.fill(toQColor(color));
    button->setIcon(QIcon(swatch));
}

// Shows the picture under the cursor beside the file list.
void addPicturePreview(QFileDialog& dialog)
{
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    preview->setWordWrap(true);
    preview->setTextFormat(Qt::PlainText);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    // Decoded as the wizard will decode it, so the preview shows the loader's own message
    // for a file it cannot read.
    QObject::connect(
        &dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
            preview->clear();
            if (path.isEmpty() || QFileInfo(path).isDir())
                return;
            OwnImageLoader loader;
            if (!loader.load(path)) {
                preview->setText(loader.errorString());
                return;
            }
            QImage image = loader.image();
            if (image.width() > 158 || image.height() > 158)
                image = image.scaled(158, 158, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            preview->setPixmap(QPixmap::fromImage(image));
        });
}
} // namespace

void QtPlatformServices::showMessage(const QString& text)
{
    showBox(m_parent, m_title, QMessageBox::NoIcon, text);
}

void QtPlatformServices::showError(const QString& text)
{
    showBox(m_parent, m_title, QMessageBox::Critical, text);
}

bool QtPlatformServices::confirm(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    m_parent);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtPlatformServices::inputText(const QString& title, const QString& prompt,
                                                     const QString& initialText, int maxLength)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setMaxLength(maxLength);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtPlatformServices::toQtFilter(const QString& filter)
{
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)\\s*$"));
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(shownPatterns);
        QStringList patterns;
        const auto addPattern = [&patterns](const QString& p) {
            if (!patterns.contains(p))
                patterns.append(p);
        };
        for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed();
            if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*")) {
                addPattern(QStringLiteral("*"));
                continue;
            }
            addPattern(pattern.toLower());
            addPattern(pattern.toUpper());
        }
        if (patterns.isEmpty())
            continue;
        entries.append(description.trimmed() + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtPlatformServices::runFileDialog(const FileDialogOptions& options, bool save)
{
    QFileDialog dialog(m_parent, options.title, options.initialDirectory);
    dialog.setNameFilter(toQtFilter(options.filter));
    dialog.setDefaultSuffix(options.defaultExtension);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (options.picturePreview) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        addPicturePreview(dialog);
    }
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

QString QtPlatformServices::openFileName(const FileDialogOptions& options)
{
    return runFileDialog(options, false);
}

QString QtPlatformServices::saveFileName(const FileDialogOptions& options)
{
    return runFileDialog(options, true);
}

std::optional<ColorRef> QtPlatformServices::chooseColor(ColorRef initial)
{
    const QColor chosen = QColorDialog::getColor(toQColor(initial), m_parent);
    if (!chosen.isValid())
        return std::nullopt;
    return fromQColor(chosen);
}

std::optional<PlatformServices::FontAttributes>
QtPlatformServices::chooseFont(const FontAttributes& initial)
{
    // Qt's font dialog has no colour choice; the colour sits beside it in one dialog.
    QDialog dialog(m_parent);
    dialog.setWindowTitle(QStringLiteral("Font"));
    QFont font(initial.fontName);
    font.setPointSize(initial.fontSize > 0 ? initial.fontSize : 8);
    font.setBold(initial.fontBold);
    font.setItalic(initial.fontItalic);
    font.setUnderline(initial.fontUnderline);
    font.setStrikeOut(initial.fontStrikeOut);

    auto* fonts = new QFontDialog(font, &dialog);
    fonts->setWindowFlags(Qt::Widget);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    // The dialog offers only the styles its font list knows and may drop, say, bold from an
    // alias family; a font the user did not touch is handed back as it came.
    bool fontChanged = false;
    QObject::connect(fonts, &QFontDialog::currentFontChanged, &dialog,
                     [&fontChanged] { fontChanged = true; });
    ColorRef color = initial.fontColor;
    auto* colorButton = new QPushButton(QStringLiteral("&Color..."), &dialog);
    paintSwatch(colorButton, color);
    QObject::connect(colorButton, &QPushButton::clicked, &dialog, [&] {
        if (const auto chosen = chooseColor(color)) {
            color = *chosen;
            paintSwatch(colorButton, color);
        }
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addWidget(colorButton, 0, Qt::AlignLeft);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;

    FontAttributes result = initial;
    result.fontColor = color;
    if (!fontChanged)
        return result;
    const QFont chosen = fonts->currentFont();
    result.fontName = chosen.family();
    result.fontSize = chosen.pointSize() > 0 ? chosen.pointSize() : initial.fontSize;
    result.fontBold = chosen.bold();
    result.fontItalic = chosen.italic();
    result.fontUnderline = chosen.underline();
    result.fontStrikeOut = chosen.strikeOut();
    return result;
}

QString QtPlatformServices::chooseDirectory(const QString& title, const QString& initialDirectory)
{
    return QDir::toNativeSeparators(
        QFileDialog::getExistingDirectory(m_parent, title, initialDirectory));
}

void QtPlatformServices::beep()
{
    QApplication::beep();
}

void QtPlatformServices::setClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}

QUrl QtPlatformServices::toUrl(const QString& fileOrUrl, const QString& workingDirectory)
{
    // A scheme of two letters or more; "C:" is a drive, not a scheme.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (scheme.match(fileOrUrl).hasMatch())
        return QUrl(fileOrUrl);
    const QDir base(workingDirectory.isEmpty() ? QDir::currentPath() : workingDirectory);
    return QUrl::fromLocalFile(QDir::cleanPath(base.absoluteFilePath(fileOrUrl)));
}

bool QtPlatformServices::openWithApplication(const QString& fileOrUrl,
                                             const QString& workingDirectory)
{
    return QDesktopServices::openUrl(toUrl(fileOrUrl, workingDirectory));
}
