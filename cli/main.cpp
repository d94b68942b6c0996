#include "CommandLine.h"
#include "GenerateCommand.h"
#include "PathBytes.h"

#include <QGuiApplication>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define BRINDLEWICK_CHECKS_LEAKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINDLEWICK_CHECKS_LEAKS 1
#endif
#endif

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
    // With standard input closed, the next file opened would take its number, and /dev/stdin
    // would name that file: /dev/null keeps the place.
    if (::fcntl(STDIN_FILENO, F_GETFD) == -1) {
        ::open("/dev/null", O_RDONLY);
        GenerateCommand::setInputClosed();
    }
    qInstallMessageHandler(keepOnlySevereMessages);
    // Rendering needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // What Qt's own options leave, every byte of a path kept: Qt's list has U+FFFD for bytes
    // that are not UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << PathBytes::decode(argv[i]);

    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = CommandLine::run(arguments, out, err);
#ifndef BRINDLEWICK_CHECKS_LEAKS
    // Every file is closed by now. Tearing down Qt's fonts and plugins took 7 ms, a third of a
    // --version run; the system takes the memory back at once. Sanitizer builds end normally,
    // so that their leak check still runs.
    out.flush();
    err.flush();
    std::fflush(nullptr);
    std::_Exit(code);
#endif
    return code;
}
