#include "GeneratorWizard.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    QApplication::setApplicationDisplayName(GeneratorWizard::applicationTitle());
    GeneratorWizard wizard;
    wizard.show();
    return app.exec();
}
