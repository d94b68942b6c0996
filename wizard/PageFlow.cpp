#include "PageFlow.h"

#include "ErrorText.h"
#include "OutputNaming.h"

#include <QFileInfo>

namespace {

// The four buttons whose target the JavaScript option decides, by option MouseOver, Pressed,
// Both and Static.
struct Route
{
    int from;
    bool next;
    int to[4];
};

constexpr Route routes[] = {
    {PageFlow::NormalButtonPickFont,
     true,
     {PageFlow::SelectedButton, PageFlow::ButtonPressed, PageFlow::SelectedButton,
      PageFlow::OutputDirectory}},
    {PageFlow::SelectedButtonPickFont,
     true,
     {PageFlow::OutputDirectory, PageFlow::ButtonPressed, PageFlow::ButtonPressed,
      PageFlow::OutputDirectory}},
    {PageFlow::ButtonPressed,
     false,
     {PageFlow::SelectedButtonPickFont, PageFlow::NormalButtonPickFont,
      PageFlow::SelectedButtonPickFont, PageFlow::NormalButtonPickFont}},
    {PageFlow::OutputDirectory,
     false,
     {PageFlow::SelectedButtonPickFont, PageFlow::ButtonPressedPickFont,
      PageFlow::ButtonPressedPickFont, PageFlow::NormalButtonPickFont}},
};

// A routed button without an option, possible only after a project file, stays put.
int routedPage(int page, bool next, JavaScriptOption option, int neighbour)
{
    for (const Route& route : routes) {
        if (route.from != page || route.next != next)
            continue;
        const int index = int(option);
        return index >= 0 && index < 4 ? route.to[index] : page;
    }
    return neighbour;
}

} // namespace

int PageFlow::nextPage(int page, JavaScriptOption option)
{
    if (page < 0 || page >= Finished)
        return page;
    return routedPage(page, true, option, page + 1);
}

int PageFlow::previousPage(int page, JavaScriptOption option)
{
    if (page <= 0 || page >= PageCount)
        return page;
    return routedPage(page, false, option, page - 1);
}

QString PageFlow::pageCheckMessage(int page, const ButtonProject& project)
{
    const auto fontPageMessage = [&](ButtonState state, const QString& name) {
        const ButtonStateStyle& style = project.style(state);
        if (style.textOrientation == TextOrientation::NoChoice)
            return QStringLiteral("Please select a value for %1 Button Text Orientation").arg(name);
        if (style.textJustification == TextJustification::NoChoice)
            return QStringLiteral("Please select a value for %1 Button Text Justification")
                .arg(name);
        return QString();
    };

    switch (page) {
    case LabelText:
        if (project.captions.isEmpty())
            return QStringLiteral("You must enter at least 1 button caption");
        break;
    case JavaScriptOptions:
        if (project.javaScriptOption == JavaScriptOption::NoChoice)
            return QStringLiteral("Please select a value for JavaScript Options");
        break;
    case NormalButton:
        if (project.normal.backgroundKind == BackgroundKind::OwnImage &&
            !QFileInfo(project.normal.imageFileName).isFile())
            return QStringLiteral("Invalid file for Normal background BMP file");
        break;
    case NormalButtonPickFont:
        return fontPageMessage(ButtonState::Normal, QStringLiteral("Normal"));
    case SelectedButtonPickFont:
        return fontPageMessage(ButtonState::Selected, QStringLiteral("Selected"));
    case ButtonPressedPickFont:
        return fontPageMessage(ButtonState::Pressed, QStringLiteral("Pressed"));
    case OutputDirectory:
        // An empty folder would mean the current one, which nobody chose.
        if (project.outputDirectory.isEmpty() ||
            !QFileInfo(OutputNaming::normalisedOutputDirectory(project.outputDirectory)).isDir())
            return QStringLiteral("Invalid output directory specified");
        return prefixCheckMessage(project);
    case Html:
        if (project.htmlDirection == HtmlDirection::NoChoice)
            return QStringLiteral("Please select a value for HTML Direction");
        break;
    default:
        break;
    }
    return QString();
}

QString PageFlow::prefixCheckMessage(const ButtonProject& project)
{
    if (project.fileNamePrefix.isEmpty())
        return QStringLiteral("File Name Prefix must be 1 - 8 characters");
    if (const Failure refused = OutputNaming::prefixError(project.fileNamePrefix))
        return ErrorText::message(refused);
    return QString();
}

bool PageFlow::copyFirstPassChoices(int pageLeft, ButtonProject& project)
{
    const ButtonStateStyle& normal = project.normal;
    ButtonStateStyle* const others[] = {&project.selected, &project.pressed};
    switch (pageLeft) {
    case NormalButton:
        for (ButtonStateStyle* other : others) {
            other->backgroundColor = normal.backgroundColor;
            other->backgroundKind = normal.backgroundKind;
            other->predefinedIndex = normal.predefinedIndex;
        }
        return true;
    case NormalButtonOptions:
        for (ButtonStateStyle* other : others)
            other->borderEffect = normal.borderEffect;
        project.selected.pressEffect = normal.pressEffect;
        project.pressed.pressEffect = PressEffect::Pressed;
        return true;
    case NormalButtonPickFont:
        for (ButtonStateStyle* other : others) {
            other->textJustification = normal.textJustification;
            other->textOrientation = normal.textOrientation;
        }
        return true;
    default:
        return false;
    }
}

std::optional<ButtonState> PageFlow::backgroundPageState(int page)
{
    switch (page) {
    case NormalButton:
        return ButtonState::Normal;
    case SelectedButton:
        return ButtonState::Selected;
    case ButtonPressed:
        return ButtonState::Pressed;
    default:
        return std::nullopt;
    }
}
