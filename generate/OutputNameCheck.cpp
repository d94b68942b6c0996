#include "OutputNameCheck.h"

#include "OutputNaming.h"

#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace {

// One of the images the run writes for every caption: a state's, or the sprite (no state), at
// a scale.
struct Kind
{
    std::optional<ButtonState> state;
    int scale;
    QString suffix; // lower-cased, as the names are
};

QList<Kind> kindsWritten(const ButtonProject& project)
{
    QList<std::optional<ButtonState>> states;
    for (const ButtonState state : project.drawnStates())
        states << state;
    if (OutputNaming::hasSprites(project))
        states << std::nullopt;
    QList<Kind> kinds;
    for (int scale = 1; scale <= (project.hiDpiImages ? 2 : 1); ++scale) {
        for (const auto& state : states)
            kinds.append(
                {state, scale, OutputNaming::toLowerAscii(OutputNaming::stemSuffix(state, scale))});
    }
    return kinds;
}

// A twin too long for the folder is never written, so it shares no file.
QString longestTwinName(const ButtonProject& project, int n, const Kind& kind)
{
    return kind.state ? OutputNaming::longestImageFileName(project, n, *kind.state, 2)
                      : OutputNaming::longestSpriteFileName(project, n, 2);
}

} // namespace

Failure OutputNameCheck::refusal(const ButtonProject& project)
{
    if (Failure failure = OutputNaming::prefixError(project.fileNamePrefix))
        return failure;
    const qsizetype maxNameBytes = OutputNaming::maxFileNameBytes(project);
    if (Failure failure = OutputNaming::tooLongNameError(project, maxNameBytes))
        return failure;
    return clash(project, maxNameBytes);
}

Failure OutputNameCheck::clash(const ButtonProject& project, qsizetype maxNameBytes)
{
    // Numbered names differ in their digits, which no suffix holds.
    if (!project.useCaptionsAsNames)
        return Failure();
    const QList<Kind> kinds = kindsWritten(project);
    // Each name with the first caption that has it; only names are kept, not every file's.
    QHash<QString, int> firstWithName;
    for (int n = project.captions.size(); n >= 1; --n)
        firstWithName.insert(OutputNaming::toLowerAscii(OutputNaming::buttonFileName(project, n)),
                             n);
    const OutputNaming::NameRoom room = OutputNaming::nameRoom(project, maxNameBytes);
    const auto format = OutputNaming::chosenFormat(project);
    for (int n = 1; n <= project.captions.size(); ++n) {
        const QString name = OutputNaming::toLowerAscii(OutputNaming::buttonFileName(project, n));
        for (const Kind& mine : kinds) {
            const QString stem = name + mine.suffix;
            for (const Kind& theirs : kinds) {
                if (theirs.suffix == mine.suffix || !stem.endsWith(theirs.suffix))
                    continue;
                const int other = firstWithName.value(stem.chopped(theirs.suffix.size()));
                if (other == 0 ||
                    (mine.scale == 2 && !room.fits(longestTwinName(project, n, mine))))
                    continue;
                return Failure(Failure::Code::Refuse,
                               OutputNaming::fileName(project, n, mine.state, mine.scale, format))
                    .because(FailureReason::CaptionsShareFile,
                             project.captions.at(qMin(n, other) - 1) + u'\n' +
                                 project.captions.at(qMax(n, other) - 1));
            }
        }
    }
    return Failure();
}
