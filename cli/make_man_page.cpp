// Build step: writes brindlewick-cli's manual page from its template and the option table.
// Usage: make_man_page TEMPLATE OUTPUT VERSION
#include "CommandLineOptions.h"

#include <QFile>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_man_page TEMPLATE OUTPUT VERSION\n");
        return 2;
    }
    QFile in(QString::fromLocal8Bit(argv[1]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], qPrintable(in.errorString()));
        return 1;
    }
    const QString page = CommandLineOptions::manPage(QString::fromUtf8(in.readAll()),
                                                     QString::fromLocal8Bit(argv[3]));
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(page.toUtf8()) < 0 ||
        !out.flush()) {
        std::fprintf(stderr, "%s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
