#include "CommandLine.h"

#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>

namespace {
// Qt's own notes (such as a missing runtime directory) are not this program's messages.
void keepOnlySevereMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char* argv[])
{
    // Past a file size limit the write then fails and is reported, rather than the signal
    // ending the run unexplained.
    std::signal(SIGXFSZ, SIG_IGN);
    qInstallMessageHandler(keepOnlySevereMessages);
    // Rendering needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QTextStream out(stdout);
    QTextStream err(stderr);
    return CommandLine::run(app.arguments(), out, err);
}
