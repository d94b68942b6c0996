#include "GenerateCommand.h"

#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {
const char usage[] =
    "Usage: brindlewick-cli generate PROJECT.blp [--output-dir DIR] [--smooth] [--hidpi]\n"
    "                                [--keyboard-rollovers]\n"
    "       brindlewick-cli --help | --version\n"
    "\n"
    "Renders every button of a button layout project and writes the images\n"
    "(JPEG, PNG and GIF), the sample page and a copy of the project into the\n"
    "project's output directory, without a display. The JPEG options and the\n"
    "caption offsets are the ones the wizard remembers, in\n"
    "$XDG_CONFIG_HOME/brindlewick/brindlewick.ini (~/.config by default).\n"
    "\n"
    "The project decides the options below; each flag turns one on for this run:\n"
    "  --smooth               smooth (antialiased) captions\n"
    "  --hidpi                also write every image at twice the size, as NAME@2x.EXT\n"
    "  --keyboard-rollovers   links show their rollovers on keyboard focus and Enter\n"
    "\n"
    "Exit status: 0 all written, 1 some images failed, 2 usage or project error.\n";

// Qt's own notes (such as a missing runtime directory) are not this program's messages.
void keepOnlySevereMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

int usageError(const char* problem)
{
    std::fprintf(stderr, "brindlewick-cli: %s\n\n%s", problem, usage);
    return GenerateCommand::Failed;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("brindlewick-cli %s\n", BRINDLEWICK_VERSION);
        return 0;
    }
    if (argc < 2 || std::strcmp(argv[1], "generate") != 0)
        return usageError(argc < 2 ? "no command given" : "unknown command");

    // Past a file size limit the write then fails and is reported, rather than the signal
    // ending the run unexplained.
    std::signal(SIGXFSZ, SIG_IGN);
    qInstallMessageHandler(keepOnlySevereMessages);
    // Rendering needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments().mid(2);
    QString projectPath;
    QString outputDirectory;
    bool outputDirectoryGiven = false;
    GenerateCommand::ExtraOptions extra;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--output-dir")) {
            if (++i == args.size())
                return usageError("--output-dir needs a directory");
            outputDirectory = args.at(i);
            outputDirectoryGiven = true;
        } else if (arg.startsWith(QLatin1String("--output-dir="))) {
            outputDirectory = arg.mid(int(std::strlen("--output-dir=")));
            outputDirectoryGiven = true;
        } else if (arg == QLatin1String("--smooth")) {
            extra.smoothCaptions = true;
        } else if (arg == QLatin1String("--hidpi")) {
            extra.hiDpiImages = true;
        } else if (arg == QLatin1String("--keyboard-rollovers")) {
            extra.keyboardRollovers = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usageError("unknown option");
        } else if (projectPath.isEmpty()) {
            projectPath = arg;
        } else {
            return usageError("more than one project given");
        }
    }
    if (projectPath.isEmpty())
        return usageError("no project file given");

    GenerateCommand command(projectPath);
    if (outputDirectoryGiven)
        command.setOutputDirectory(outputDirectory);
    command.setExtraOptions(extra);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return command.execute(out, err);
}
