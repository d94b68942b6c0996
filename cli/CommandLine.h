#pragma once

#include <QStringList>

class QTextStream;

// brindlewick-cli's arguments (the program name first) to its exit status: --help, --version,
// usage errors, or the generate command.
class CommandLine
{
public:
    static int run(const QStringList& arguments, QTextStream& out, QTextStream& err);
};
