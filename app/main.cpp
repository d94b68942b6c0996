#include "GeneratorWizard.h"
#include "PictureDecoders.h"
#include "WizardTexts.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // A file-size limit must fail the write, which the run reports, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationDisplayName(WizardTexts::applicationTitle());
    registerPictureDecoders();
    GeneratorWizard wizard;
    wizard.show();
    return app.exec();
}
