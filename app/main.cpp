#include "GeneratorWizard.h"
#include "PictureDecoders.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationDisplayName(GeneratorWizard::applicationTitle());
    registerPictureDecoders();
    GeneratorWizard wizard;
    wizard.show();
    return app.exec();
}
