#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <cstring>

namespace {
const char usage[] =
    "Usage: brindlewick-cli generate PROJECT.blp [--output-dir DIR]\n"
    "       brindlewick-cli --help | --version\n"
    "\n"
    "Renders every button of a button layout project and writes the images\n"
    "(JPEG, PNG and GIF), the sample page and a copy of the project into the\n"
    "project's output directory, without a display.\n"
    "\n"
    "Exit status: 0 all written, 1 some images failed, 2 usage or project error.\n";
}

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
    std::fputs(usage, stderr);
    return 2;
}
