#include "ButtonSize.h"

#include "BackgroundPictures.h"
#include "ButtonProject.h"

#include <algorithm>

namespace {

struct StepInfo
{
    const char* text;
    bool height;
    int delta;
};

const StepInfo steps[ButtonSize::stepCount] = {
    {"-5", true, -5},    {"-1", true, -1},  {"+1", true, 1},  {"+5", true, 5},
    {"-10", false, -10}, {"-1", false, -1}, {"+1", false, 1}, {"+10", false, 10},
};

const StepInfo& info(ButtonSize::Step step)
{
    return steps[std::clamp(int(step), 0, ButtonSize::stepCount - 1)];
}

// A project file may hold any 32-bit value, so the sum is formed in 64 bits.
int stepped(int value, int delta, int maximum)
{
    const qint64 sum = qint64(value) + delta;
    return int(std::min<qint64>(std::max<qint64>(sum, 1), maximum));
}

} // namespace

QString ButtonSize::stepText(Step step)
{
    return QString::fromLatin1(info(step).text);
}

bool ButtonSize::stepChangesHeight(Step step)
{
    return info(step).height;
}

int ButtonSize::stepDelta(Step step)
{
    return info(step).delta;
}

int ButtonSize::steppedHeight(int height, int delta)
{
    return stepped(height, delta, ButtonProject::maxButtonHeight);
}

int ButtonSize::steppedWidth(int width, int delta)
{
    return stepped(width, delta, ButtonProject::maxButtonWidth);
}

void ButtonSize::applyStep(ButtonProject& project, Step step)
{
    if (stepChangesHeight(step))
        project.buttonHeight = steppedHeight(project.buttonHeight, stepDelta(step));
    else
        project.buttonWidth = steppedWidth(project.buttonWidth, stepDelta(step));
}

QSize ButtonSize::normalSize(const ButtonProject& project, const BackgroundPictures& pictures)
{
    switch (project.normal.backgroundKind) {
    case BackgroundKind::Predefined:
    case BackgroundKind::OwnImage:
        return pictures.backgroundFor(ButtonState::Normal, project.normal.backgroundKind).size();
    case BackgroundKind::Regular:
    case BackgroundKind::NoChoice:
        break;
    }
    return QSize(project.buttonWidth, project.buttonHeight);
}

QString ButtonSize::mismatchWarning(const QSize& imageSize, const QSize& normalSize)
{
    if (imageSize == normalSize)
        return QString();
    return QStringLiteral("Warning! Image dimensions %1x%2 are different from size of normal "
                          "button %3x%4")
        .arg(imageSize.height())
        .arg(imageSize.width())
        .arg(normalSize.height())
        .arg(normalSize.width());
}

QString ButtonSize::ownImageWarning(const ButtonProject& project,
                                    const BackgroundPictures& pictures, ButtonState state,
                                    const QSize& imageSize)
{
    if (state == ButtonState::Normal)
        return QString();
    return mismatchWarning(imageSize, normalSize(project, pictures));
}
