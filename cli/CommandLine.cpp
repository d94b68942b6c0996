#include "CommandLine.h"

#include "CommandLineOptions.h"
#include "DesignCommands.h"
#include "GenerateCommand.h"

#include <QCommandLineParser>
#include <QTextStream>

namespace {
int usageError(QTextStream& err, const QString& problem)
{
    err << "brindlewick-cli: " << problem << Qt::endl
        << "Try 'brindlewick-cli --help'." << Qt::endl;
    return GenerateCommand::Failed;
}

// The parser names an unknown option without the dashes the user typed.
QString asTyped(const QStringList& arguments, const QString& name)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QString word = argument.section(QLatin1Char('='), 0, 0);
        const qsizetype dashes = word.startsWith(QLatin1String("--")) ? 2 : 1;
        if (word.startsWith(QLatin1Char('-')) && QStringView(word).mid(dashes) == name)
            return word;
    }
    return name;
}

QCommandLineOption toParserOption(const CommandLineOptions::Option& option)
{
    return QCommandLineOption(option.names, option.description, option.valueName);
}

int runGenerate(const QCommandLineParser& parser, const QStringList& words, QTextStream& out,
                QTextStream& err)
{
    if (words.size() < 2)
        return usageError(err, QStringLiteral("No project file given."));
    if (words.size() > 2)
        return usageError(
            err, QStringLiteral("More than one project file given: '%1'.").arg(words.at(2)));

    GenerateCommand command(words.at(1));
    if (parser.isSet(QStringLiteral("output-dir"))) {
        // An empty folder would silently mean the current one.
        if (parser.value(QStringLiteral("output-dir")).isEmpty())
            return usageError(err, QStringLiteral("--output-dir needs a folder"));
        command.setOutputDirectory(parser.value(QStringLiteral("output-dir")));
    }
    for (const CommandLineOptions::Option& option : CommandLineOptions::all()) {
        if (!option.setting || !parser.isSet(option.setting->flag))
            continue;
        // Given again, an option's later value wins; a flag is on however often it is given.
        const QStringList values = option.setting->key.kind == ProjectKeys::Kind::Flag
                                       ? QStringList{ProjectKeys::flagOn}
                                       : parser.values(option.setting->flag);
        for (QString value : values) {
            const ProjectKeys::Option* setting = nullptr;
            QString problem = CommandLineOptions::settingOf(option, &value, &setting);
            if (problem.isEmpty())
                problem = CommandLineOptions::valueProblem(*setting, value);
            if (!problem.isEmpty())
                return usageError(err, problem);
            command.addSetting(setting->key, value);
        }
    }
    return command.execute(out, err);
}

// "new DESIGN OUT.blp [--caption TEXT]... [--force]"
int runNew(const QCommandLineParser& parser, const QStringList& words, QTextStream& out,
           QTextStream& err)
{
    if (words.size() < 2)
        return usageError(err, QStringLiteral("No design given."));
    // An empty name is an empty shell variable, not a file.
    if (words.size() < 3 || words.at(2).isEmpty())
        return usageError(err, QStringLiteral("No project file given."));
    if (words.size() > 3)
        return usageError(
            err, QStringLiteral("More than one project file given: '%1'.").arg(words.at(3)));
    return DesignCommands::newProject(words.at(1), words.at(2),
                                      parser.values(QStringLiteral("caption")),
                                      parser.isSet(QStringLiteral("force")), out, err);
}
} // namespace

int CommandLine::run(const QStringList& arguments, QTextStream& out, QTextStream& err)
{
    QCommandLineParser parser;
    // "-hidpi" is a mistyped option, not the letters h, i, d, p and i.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const CommandLineOptions::Option& option : CommandLineOptions::all())
        parser.addOption(toParserOption(option));
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return usageError(
            err,
            unknown.isEmpty()
                ? parser.errorText()
                : QStringLiteral("Unknown option '%1'.").arg(asTyped(arguments, unknown.first())));
    }
    if (parser.isSet(CommandLineOptions::help().names.last())) {
        out << CommandLineOptions::helpText() << Qt::flush;
        return GenerateCommand::Success;
    }
    if (parser.isSet(CommandLineOptions::version().names.last())) {
        out << "brindlewick-cli " << BRINDLEWICK_VERSION << Qt::endl;
        return GenerateCommand::Success;
    }

    const QStringList words = parser.positionalArguments();
    if (words.isEmpty())
        return usageError(err, QStringLiteral("No command given."));
    if (!CommandLineOptions::commands().contains(words.first()))
        return usageError(err, QStringLiteral("Unknown command '%1'.").arg(words.first()));
    for (const CommandLineOptions::Option& option : CommandLineOptions::all()) {
        if (!option.command.isEmpty() && option.command != words.first() &&
            parser.isSet(option.names.last()))
            return usageError(err, QStringLiteral("Option '--%1' is not one of '%2'.")
                                       .arg(option.names.last(), words.first()));
    }
    if (words.first() == QLatin1String("designs")) {
        if (words.size() > 1)
            return usageError(err, QStringLiteral("Unexpected argument '%1'.").arg(words.at(1)));
        return DesignCommands::list(out);
    }
    if (words.first() == QLatin1String("new"))
        return runNew(parser, words, out, err);
    return runGenerate(parser, words, out, err);
}
