#include "GeneratorWizard.h"

#include <QGuiApplication>
#include <QScreen>

GeneratorWizard::GeneratorWizard(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(applicationTitle());
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(622, 311);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xD0));
    setPalette(p);
    setAutoFillBackground(true);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QString GeneratorWizard::applicationTitle()
{
    return QStringLiteral("The Brindlewick v4.00");
}
