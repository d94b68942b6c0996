#include "GeneratorWizard.h"
#include "PictureDecoders.h"
#include "WizardTexts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationDisplayName(WizardTexts::applicationTitle());
    registerPictureDecoders();
    GeneratorWizard wizard;
    wizard.show();
    return app.exec();
}
