#include "GeneratorWizard.h"
#include "WizardTexts.h"

#include <QApplication>
#include <QIcon>

#include <csignal>

int main(int argc, char* argv[])
{
    // A file-size limit must fail the write, which the run reports, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationDisplayName(WizardTexts::applicationTitle());
    // The desktop entry's name lets Wayland docks match the window to its menu icon.
    QApplication::setDesktopFileName(QStringLiteral("brindlewick"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/brindlewick-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    GeneratorWizard wizard;
    wizard.show();
    return app.exec();
}
