#include "ButtonProject.h"

ButtonProject::ButtonProject()
{
    selected.backgroundColor = Colors::rgb(0, 255, 255);
    pressed.backgroundColor = Colors::rgb(0, 255, 0);
    pressed.pressEffect = PressEffect::Pressed;
}

ButtonStateStyle& ButtonProject::style(ButtonState state)
{
    switch (state) {
    case ButtonState::Selected:
        return selected;
    case ButtonState::Pressed:
        return pressed;
    case ButtonState::Normal:
        break;
    }
    return normal;
}

const ButtonStateStyle& ButtonProject::style(ButtonState state) const
{
    return const_cast<ButtonProject*>(this)->style(state);
}

QList<ButtonState> ButtonProject::drawnStates() const
{
    return QList<ButtonState>{ButtonState::Normal} + extraStates();
}

QList<ButtonState> ButtonProject::extraStates() const
{
    switch (javaScriptOption) {
    case JavaScriptOption::MouseOver:
        return {ButtonState::Selected};
    case JavaScriptOption::Pressed:
        return {ButtonState::Pressed};
    case JavaScriptOption::Both:
        return {ButtonState::Selected, ButtonState::Pressed};
    case JavaScriptOption::Static:
    case JavaScriptOption::NoChoice:
        break;
    }
    return {};
}
