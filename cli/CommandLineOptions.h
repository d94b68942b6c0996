#pragma once

#include "ProjectKeys.h"

#include <QList>
#include <QString>
#include <QStringList>

// The options of brindlewick-cli, from which both --help and the manual page are made, so the
// two always list the same ones. Those that set a project's option come from its table.
class CommandLineOptions
{
public:
    struct Option
    {
        QStringList names;   // without dashes; one letter is a short name
        QString valueName;   // empty for a flag
        QString description; // lower-case start, no full stop, as --help shows it
        QString
            command; // "generate" or "new" for an option of that command; empty for the program's
        // The project setting the option sets for one run; null for the others.
        const ProjectKeys::Option* setting = nullptr;
        bool repeated = false; // given once for each value
    };

    static const QList<Option>& all();
    static const Option& help();
    static const Option& version();

    // "--output-dir" or "-h, --help"
    static QString spelled(const Option& option);

    // The commands, in the order the usage lists them.
    static const QStringList& commands();
    // What a command takes besides its options, as the usage shows it.
    static QString operands(const QString& command);

    static QString helpText();
    // Why a value given for a setting's option is none of its kind's, or beyond its range, as a
    // usage error says it; empty when the value will do.
    static QString valueProblem(const ProjectKeys::Option& setting, const QString& value);
    // The row an option's value sets: of rows that share the option, the one the word before
    // "=" names, that word then taken off the value. Why there is none, as a usage error says
    // it; empty when *setting is found.
    static QString settingOf(const Option& option, QString* value,
                             const ProjectKeys::Option** setting);

    // The template with @SYNOPSIS@ and @OPTIONS@ replaced by roff text made from the table,
    // and @PROJECT_VERSION@ by the version.
    static QString manPage(const QString& manTemplate, const QString& programVersion);
};
