#include "FolderDialog.h"

#include <QFileInfo>

FolderDialog::FolderDialog(QWidget* parent, const QString& title, const QString& initialDirectory)
    : QFileDialog(parent, title, initialDirectory)
{
    // The platform's own pickers cannot be asked to take a new name.
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::Directory);
    setOption(QFileDialog::ShowDirsOnly);
    setAcceptMode(QFileDialog::AcceptOpen);
}

void FolderDialog::accept()
{
    const QStringList chosen = selectedFiles();
    if (chosen.isEmpty())
        return;
    m_chosen = chosen.constFirst();
    if (QFileInfo::exists(m_chosen)) {
        // An existing folder, or a file the base class refuses.
        QFileDialog::accept();
        return;
    }
    QDialog::accept();
}
