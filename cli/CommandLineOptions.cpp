#include "CommandLineOptions.h"

#include <algorithm>

namespace {
const QString program = QStringLiteral("brindlewick-cli");
constexpr int helpWidth = 79;
constexpr int descriptionColumn = 25;

QString dashed(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// Text as roff prints it: a minus is "\-", a backslash "\e", and a line may not start with a
// control character.
QString roff(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QLatin1String("\\e"));
    out.replace(QLatin1Char('-'), QLatin1String("\\-"));
    if (out.startsWith(QLatin1Char('.')) || out.startsWith(QLatin1Char('\'')))
        out.prepend(QLatin1String("\\&"));
    return out;
}

QString sentence(const QString& description)
{
    return description.left(1).toUpper() + description.mid(1) + QLatin1Char('.');
}
} // namespace

const QList<CommandLineOptions::Option>& CommandLineOptions::all()
{
    static const QList<Option> options = [] {
        const QString generate = QStringLiteral("generate");
        QList<Option> list{
            {{QStringLiteral("output-dir")},
             QStringLiteral("DIR"),
             QStringLiteral("write into DIR, created with its parents if missing, instead of the "
                            "project's output folder; the copy of the project records it"),
             generate}};
        for (const ProjectKeys::Option& setting : ProjectKeys::optional()) {
            // Rows that share a flag are one option, named by the first.
            if (std::none_of(list.cbegin(), list.cend(), [&setting](const Option& option) {
                    return option.names.first() == setting.flag;
                }))
                list.append({{setting.flag}, setting.valueName, setting.help, generate, &setting});
        }
        const QString newCommand = QStringLiteral("new");
        list.append({{QStringLiteral("caption")},
                     QStringLiteral("TEXT"),
                     QStringLiteral("with new: a caption of the new project, given once for "
                                    "each button in order; without it, the design's own"),
                     newCommand,
                     nullptr,
                     true});
        list.append({{QStringLiteral("force")},
                     QString(),
                     QStringLiteral("with new: replace OUT.blp when it exists"),
                     newCommand});
        list.append({{QStringLiteral("h"), QStringLiteral("help")},
                     QString(),
                     QStringLiteral("show the usage and exit"),
                     QString()});
        list.append({{QStringLiteral("version")},
                     QString(),
                     QStringLiteral("show the version and exit"),
                     QString()});
        return list;
    }();
    return options;
}

const QStringList& CommandLineOptions::commands()
{
    static const QStringList names{QStringLiteral("generate"), QStringLiteral("designs"),
                                   QStringLiteral("new")};
    return names;
}

QString CommandLineOptions::operands(const QString& command)
{
    if (command == QLatin1String("generate"))
        return QStringLiteral("PROJECT.blp");
    if (command == QLatin1String("new"))
        return QStringLiteral("DESIGN OUT.blp");
    return QString();
}

const CommandLineOptions::Option& CommandLineOptions::help()
{
    return all().at(all().size() - 2);
}

const CommandLineOptions::Option& CommandLineOptions::version()
{
    return all().last();
}

QString CommandLineOptions::spelled(const Option& option)
{
    QStringList names;
    for (const QString& name : option.names)
        names << dashed(name);
    return names.join(QStringLiteral(", "));
}

QString CommandLineOptions::helpText()
{
    QString text;
    for (const QString& command : commands()) {
        QString line = (text.isEmpty() ? QStringLiteral("Usage: ") : QString(7, QLatin1Char(' '))) +
                       program + QLatin1Char(' ') + command;
        // Options that wrap line up under the command's operands.
        const int indent = int(line.size()) + 1;
        if (!operands(command).isEmpty())
            line += QLatin1Char(' ') + operands(command);
        for (const Option& option : all()) {
            if (option.command != command)
                continue;
            QString word = QStringLiteral(" [") + dashed(option.names.last());
            if (!option.valueName.isEmpty())
                word += QLatin1Char(' ') + option.valueName;
            word += option.repeated ? QStringLiteral("]...") : QStringLiteral("]");
            if (line.size() + word.size() > helpWidth) {
                text += line + QLatin1Char('\n');
                line = QString(indent - 1, QLatin1Char(' '));
            }
            line += word;
        }
        text += line + QLatin1Char('\n');
    }
    text += QStringLiteral("       ") + program + QStringLiteral(" ") +
            dashed(help().names.last()) + QStringLiteral(" | ") + dashed(version().names.last()) +
            QStringLiteral("\n\n");
    text += QStringLiteral(
        "Renders every button of a button layout project and writes the images\n"
        "(JPEG, PNG and GIF), the sample page and a copy of the project into the\n"
        "project's output directory, without a display. The JPEG options and the\n"
        "caption offsets are the ones the wizard remembers, in\n"
        "$XDG_CONFIG_HOME/brindlewick/brindlewick.ini (~/.config by default).\n"
        "\n"
        "designs lists the ready-made designs, one a line: its name, a tab and its\n"
        "description. new writes a new project OUT.blp in the look of the design\n"
        "named (in any case), with the captions given or else the design's own, and\n"
        "the output folder buttons under the current one; generate then draws it.\n"
        "\n"
        "Options (the project decides smooth captions, twice-size images, keyboard\n"
        "rollovers and CSS rollovers; each of these flags turns one on for this run):\n");
    for (const Option& option : all()) {
        QString head = QStringLiteral("  ") + spelled(option);
        if (!option.valueName.isEmpty())
            head += QLatin1Char(' ') + option.valueName;
        // Long descriptions wrap under their own column.
        QString body;
        QString current;
        for (const QString& word : option.description.split(QLatin1Char(' '))) {
            if (!current.isEmpty() &&
                descriptionColumn + current.size() + 1 + word.size() > helpWidth) {
                body += current + QLatin1Char('\n') + QString(descriptionColumn, QLatin1Char(' '));
                current.clear();
            }
            current += (current.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        }
        body += current;
        if (head.size() >= descriptionColumn)
            head += QLatin1Char('\n') + QString(descriptionColumn, QLatin1Char(' '));
        else
            head = head.leftJustified(descriptionColumn);
        text += head + body + QLatin1Char('\n');
    }
    text += QStringLiteral(
        "\nExit status: 0 all written, 1 some images failed, 2 usage or project error.\n");
    return text;
}

QString CommandLineOptions::manPage(const QString& manTemplate, const QString& programVersion)
{
    QString synopsis;
    for (const QString& command : commands()) {
        if (!synopsis.isEmpty())
            synopsis += QStringLiteral(".br\n");
        synopsis +=
            QStringLiteral(".B ") + program + QLatin1Char(' ') + command + QLatin1Char('\n');
        if (!operands(command).isEmpty())
            synopsis += QStringLiteral(".I ") + operands(command) + QLatin1Char('\n');
        for (const Option& option : all()) {
            if (option.command != command)
                continue;
            synopsis += QStringLiteral(".RB [ ") + roff(dashed(option.names.last()));
            const QString close =
                option.repeated ? QStringLiteral(" ]...\n") : QStringLiteral(" ]\n");
            synopsis += option.valueName.isEmpty()
                            ? close
                            : QStringLiteral("\n.IR ") + option.valueName + close;
        }
    }
    QString options;
    for (const Option& option : all()) {
        options += QStringLiteral(".TP\n");
        if (!option.valueName.isEmpty()) {
            options += QStringLiteral(".BI ") + roff(spelled(option)) + QStringLiteral(" \" ") +
                       option.valueName + QStringLiteral("\"\n");
        } else if (option.names.size() > 1) {
            QStringList names;
            for (const QString& name : option.names)
                names << roff(dashed(name));
            options +=
                QStringLiteral(".BR ") + names.join(QStringLiteral(" \", \" ")) + QLatin1Char('\n');
        } else {
            options += QStringLiteral(".B ") + roff(spelled(option)) + QLatin1Char('\n');
        }
        options += roff(sentence(option.description)) + QLatin1Char('\n');
    }
    synopsis += QStringLiteral(".br\n.B ") + program + QStringLiteral("\n.RB ") +
                roff(dashed(help().names.last())) + QStringLiteral(" \" | \" ") +
                roff(dashed(version().names.last()));
    QString page = manTemplate;
    page.replace(QStringLiteral("@SYNOPSIS@"), synopsis);
    page.replace(QStringLiteral("@OPTIONS@\n"), options);
    page.replace(QStringLiteral("@PROJECT_VERSION@"), programVersion);
    return page;
}

QString CommandLineOptions::valueProblem(const ProjectKeys::Option& option, const QString& value)
{
    using Kind = ProjectKeys::Kind;
    const ProjectKeys::Key& key = option.key;
    bool ok = true;
    switch (key.kind) {
    case Kind::Number: {
        const int n = value.toInt(&ok);
        if (!ok || n < key.minimum || n > key.maximum)
            return QStringLiteral("%1 must be %2 to %3, not '%4'.")
                .arg(QString(option.label).remove(QLatin1Char('&')))
                .arg(key.minimum)
                .arg(key.maximum)
                .arg(value);
        break;
    }
    case Kind::WebColour: {
        ColorRef colour;
        if (!Colors::fromWebText(value, &colour))
            return QStringLiteral("Option '--%1' takes a colour as #RRGGBB, not '%2'.")
                .arg(option.flag, value);
        break;
    }
    case Kind::OptionalColour: {
        std::optional<ColorRef> colour;
        if (!ProjectKeys::Key::optionalColour(value, &colour))
            return QStringLiteral("Option '--%1' takes a colour as #RRGGBB or off, not '%2'.")
                .arg(option.flag, value);
        break;
    }
    case Kind::NamedChoice:
        if (key.choiceNamed(value) < 0)
            return QStringLiteral("Option '--%1' takes %2, not '%3'.")
                .arg(option.flag, key.names.join(QStringLiteral(" or ")), value);
        break;
    default:
        break;
    }
    return QString();
}

QString CommandLineOptions::settingOf(const Option& option, QString* value,
                                      const ProjectKeys::Option** setting)
{
    QStringList qualifiers;
    const qsizetype equals = value->indexOf(QLatin1Char('='));
    for (const ProjectKeys::Option& row : ProjectKeys::optional()) {
        if (row.flag != option.names.first())
            continue;
        if (row.qualifier.isEmpty() ||
            (equals >= 0 &&
             QStringView(*value).left(equals).compare(row.qualifier, Qt::CaseInsensitive) == 0)) {
            if (!row.qualifier.isEmpty())
                *value = value->mid(equals + 1);
            *setting = &row;
            return QString();
        }
        qualifiers << row.qualifier;
    }
    const QString last = qualifiers.takeLast();
    return QStringLiteral("Option '--%1' takes %2 where %3 is %4 or %5, not '%6'.")
        .arg(option.names.first(), option.valueName,
             option.valueName.section(QLatin1Char('='), 0, 0),
             qualifiers.join(QStringLiteral(", ")), last, *value);
}
