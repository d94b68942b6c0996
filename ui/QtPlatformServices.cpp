#include "QtPlatformServices.h"

#include "FolderDialog.h"
#include "FontChoiceDialog.h"
#include "PicturePreview.h"
#include "TypedLengthValidator.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QTreeView>

#include <cerrno>
#include <cstring>

namespace {
QColor toQColor(ColorRef c)
{
    return QColor::fromRgb(QRgb(Colors::toRgb(c)));
}

ColorRef fromQColor(const QColor& c)
{
    return Colors::rgb(c.red(), c.green(), c.blue());
}

void showBox(QWidget* parent, const QString& title, QMessageBox::Icon icon, const QString& text,
             const QString& details = QString())
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setInformativeText(details);
    box.exec();
}

// Shows the picture under the cursor beside the file list, and the preselected one at once,
// as selecting a file from code tells nobody.
void addPicturePreview(QFileDialog& dialog, const QString& preselected)
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
    const auto show = [preview](const QString& path) {
        preview->clear();
        const PicturePreview::Shown shown = PicturePreview::of(path, 158);
        if (!shown.message.isEmpty())
            preview->setText(shown.message);
        else if (!shown.image.isNull())
            preview->setPixmap(QPixmap::fromImage(shown.image));
    };
    // The wider dialog goes to the list, so dates and types are shown whole.
    if (auto* details = dialog.findChild<QTreeView*>()) {
        QHeaderView* header = details->header();
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, show);
    if (!preselected.isEmpty())
        show(preselected);
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

void QtPlatformServices::showErrorWithDetails(const QString& text, const QString& details)
{
    showBox(m_parent, m_title, QMessageBox::Critical, text, details);
}

bool QtPlatformServices::confirm(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                    m_parent);
    return box.exec() == QMessageBox::Ok;
}

PlatformServices::SaveChoice QtPlatformServices::askSaveChanges(const QString& title,
                                                                const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, m_parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

std::optional<QString> QtPlatformServices::inputText(const QString& title, const QString& prompt,
                                                     const QString& initialText, int maxLength)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    // A longer text given stays whole; the limit is for typing.
    if (auto* edit = dialog.findChild<QLineEdit*>())
        edit->setValidator(new TypedLengthValidator(maxLength, edit));
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
        const QString preselected =
            options.fileName.isEmpty()
                ? QString()
                : QDir(options.initialDirectory).absoluteFilePath(options.fileName);
        addPicturePreview(dialog, preselected);
        // Room for the long "Any Picture" filter beside the preview.
        dialog.resize(960, 440);
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
    FontChoiceDialog dialog(initial, *this, m_parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosen();
}

QString QtPlatformServices::chooseDirectory(const QString& title, const QString& initialDirectory)
{
    FolderDialog dialog(m_parent, title, initialDirectory);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return QDir::toNativeSeparators(dialog.chosenFolder());
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

QString QtPlatformServices::openWithApplication(const QString& fileOrUrl,
                                                const QString& workingDirectory)
{
    const QUrl url = toUrl(fileOrUrl, workingDirectory);
    // Most desktops show nothing at all for a file that is not there.
    if (url.isLocalFile() && !QFileInfo::exists(url.toLocalFile()))
        return QString::fromLocal8Bit(std::strerror(ENOENT));
    if (QDesktopServices::openUrl(url))
        return QString();
    // Platform plugins without desktop services (offscreen, eglfs) open nothing themselves.
    QProcess opener;
    opener.setProgram(QStringLiteral("xdg-open"));
    opener.setArguments({QString::fromUtf8(url.toEncoded())});
    if (opener.startDetached())
        return QString();
    return QStringLiteral("No application to open it was found (%1).").arg(opener.errorString());
}
