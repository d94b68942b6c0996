// Saves pictures of the designer window with a project opened: under the desktop's light theme
// and under a dark one, the Selected and More options tabs, and the preview at twice the size.
// Run on a virtual display by tools/screenshots.sh.
#include "DesignerController.h"
#include "DesignerPreviewGrid.h"
#include "DesignerWindow.h"

#include <QApplication>
#include <QDir>
#include <QRadioButton>
#include <QTabWidget>

#include <cstdio>

namespace {
bool save(DesignerWindow& window, const QString& path)
{
    // Layouts settle over a few rounds of posted events.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    return window.grab().save(path);
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: designer-screenshots PROJECT.blp OUTPUT-FOLDER\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    DesignerWindow window;
    window.resize(DesignerWindow::defaultSize);
    window.show();
    window.controller().openProjectFile(QString::fromLocal8Bit(argv[1]));
    bool saved = save(window, out.filePath(QStringLiteral("designer.png")));
    window.styleTabs()->setCurrentIndex(1);
    saved = save(window, out.filePath(QStringLiteral("designer-selected.png"))) && saved;
    window.styleTabs()->setCurrentIndex(3);
    saved = save(window, out.filePath(QStringLiteral("designer-options.png"))) && saved;
    window.styleTabs()->setCurrentIndex(0);
    window.findChildren<QRadioButton*>().last()->setChecked(true); // 2x
    saved = save(window, out.filePath(QStringLiteral("designer-2x.png"))) && saved;
    window.findChildren<QRadioButton*>().first()->setChecked(true);

    QPalette dark(QColor(0x3C, 0x3C, 0x3C), QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xE4));
    QApplication::setPalette(dark);
    saved = save(window, out.filePath(QStringLiteral("designer-dark.png"))) && saved;
    return saved ? 0 : 1;
}
