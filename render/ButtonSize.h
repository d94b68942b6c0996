#pragma once

#include "Enumerations.h"

#include <QSize>

class BackgroundPictures;
struct ButtonProject;

// How large a button is, and the step buttons that change the size of a Regular Normal button.
class ButtonSize
{
public:
    // The eight step buttons of the Normal page, in their order on the page.
    enum class Step
    {
        HeightMinus5,
        HeightMinus1,
        HeightPlus1,
        HeightPlus5,
        WidthMinus10,
        WidthMinus1,
        WidthPlus1,
        WidthPlus10
    };
    static constexpr int stepCount = 8;

    static bool stepChangesHeight(Step step);
    static int stepDelta(Step step);

    // Adds delta and keeps the result within 1..132 (height) or 1..300 (width).
    static int steppedHeight(int height, int delta);
    static int steppedWidth(int width, int delta);
    // Applies a step to buttonHeight or buttonWidth; the background kind stays.
    static void applyStep(ButtonProject& project, Step step);

    // The size of a Normal button before any variable width: the picture's size for the image
    // kinds (empty when no picture is loaded), buttonWidth x buttonHeight otherwise.
    static QSize normalSize(const ButtonProject& project, const BackgroundPictures& pictures);
};
