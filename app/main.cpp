#include "DesignerController.h"
#include "DesignerWindow.h"
#include "GeneratorWizard.h"
#include "PathBytes.h"
#include "WizardController.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {
const char usage[] =
    "Usage: brindlewick [PROJECT.blp]\n"
    "       brindlewick --designer [PROJECT.blp]\n"
    "       brindlewick --help | --version\n"
    "\n"
    "The wizard that designs web-page buttons: captions, backgrounds, fonts and the\n"
    "normal, selected and pressed states, written as images with a sample page and a\n"
    "project file. PROJECT.blp is opened at start-up as File > Open opens it.\n"
    "--designer opens the designer instead: one window that shows the whole project.\n"
    "It needs a display; brindlewick-cli generate PROJECT.blp does the same without one.\n";

// Qt's platform plugin aborts the program when it finds no display, with a message that
// suggests reinstalling. Say what is missing before the plugin is loaded instead.
bool hasDisplay(int argc, char* argv[])
{
    QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platform = argv[i + 1];
        if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0)
            return true;
    }
    const bool x11 = !qEnvironmentVariableIsEmpty("DISPLAY");
    const bool wayland = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (platform.startsWith("xcb"))
        return x11;
    if (platform.startsWith("wayland"))
        return wayland;
    // offscreen, vnc, eglfs and the like need no display server.
    return !platform.isEmpty() || x11 || wayland;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("brindlewick %s\n", BRINDLEWICK_VERSION);
        return 0;
    }
    if (!hasDisplay(argc, argv)) {
        std::fputs("brindlewick: no display found; set DISPLAY or WAYLAND_DISPLAY, or use "
                   "brindlewick-cli generate\n",
                   stderr);
        return 1;
    }
    // A file-size limit must fail the write, which the run reports, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    // What Qt's own options leave, every byte of a path kept.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << PathBytes::decode(argv[i]);
    const bool designer = !arguments.isEmpty() && arguments.first() == QLatin1String("--designer");
    if (designer)
        arguments.removeFirst();
    if (arguments.size() > 1 || (!arguments.isEmpty() && arguments.first().startsWith('-'))) {
        std::fprintf(stderr, "brindlewick: unexpected argument %s\n\n%s",
                     PathBytes::encode(arguments.last()).constData(), usage);
        return 2;
    }
    QApplication::setApplicationName(QStringLiteral("Brindlewick"));
    // No application display name: X11 and Wayland would append it to every dialog's title.
    // The desktop entry's name lets Wayland docks match the window to its menu icon.
    QApplication::setDesktopFileName(QStringLiteral("brindlewick"));
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/brindlewick-%1.png").arg(size));
    QApplication::setWindowIcon(icon);
    const QString fileName =
        arguments.isEmpty() ? QString() : PathBytes::absolute(arguments.first());
    if (designer) {
        DesignerWindow window;
        window.show();
        if (!fileName.isEmpty())
            QTimer::singleShot(
                0, &window, [&window, fileName] { window.controller().openProjectFile(fileName); });
        return app.exec();
    }
    GeneratorWizard wizard;
    wizard.show();
    if (!fileName.isEmpty()) {
        // Once the window is up, so a message about the file has the window to stand on.
        QTimer::singleShot(0, &wizard,
                           [&wizard, fileName] { wizard.controller().openProjectFile(fileName); });
    }
    return app.exec();
}
