#include "ButtonSize.h"

#include "BackgroundPictures.h"
#include "ButtonProject.h"

#include <algorithm>

namespace {

struct StepInfo
{
    bool height;
    int delta;
};

const StepInfo steps[ButtonSize::stepCount] = {
    {true, -5},   {true, -1},  {true, 1},  {true, 5},
    {false, -10}, {false, -1}, {false, 1}, {false, 10},
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
