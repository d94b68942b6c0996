#include "StateStyleEditor.h"

#include "ButtonFont.h"
#include "OwnImageLoader.h"
#include "PlatformServices.h"
#include "PredefinedBackground.h"
#include "WizardTexts.h"

#include <QFileInfo>

namespace {

// The background sample area; a Regular block beyond it shows no more than the area.
constexpr int sampleWidth = 300;
constexpr int sampleHeight = 132;

int slot(ButtonState state)
{
    return int(state) - 1;
}

QColor toQColor(ColorRef color)
{
    return QColor::fromRgb(Colors::toRgb(color));
}

void copyFont(const ButtonStateStyle& from, ButtonStateStyle& to)
{
    to.fontName = from.fontName;
    to.fontSize = from.fontSize;
    to.fontBold = from.fontBold;
    to.fontItalic = from.fontItalic;
    to.fontUnderline = from.fontUnderline;
    to.fontStrikeOut = from.fontStrikeOut;
    to.fontColor = from.fontColor;
}

} // namespace

StateStyleEditor::StateStyleEditor(ButtonProject& project, BackgroundPictures& pictures,
                                   PlatformServices& platform, QObject* parent)
    : QObject(parent), m_project(project), m_pictures(pictures), m_platform(platform)
{
}

void StateStyleEditor::reloadPredefined(ButtonState state)
{
    PredefinedBackground::reloadPicture(m_project, m_pictures, state);
}

void StateStyleEditor::refreshBackgroundSample(ButtonState state)
{
    const ButtonStateStyle& style = m_project.style(state);
    QImage& sample = m_samples[slot(state)];
    switch (style.backgroundKind) {
    case BackgroundKind::Predefined:
        reloadPredefined(state);
        sample = m_pictures.predefined(state);
        break;
    case BackgroundKind::OwnImage:
        sample = m_pictures.ownImage(state);
        break;
    case BackgroundKind::Regular: {
        // A project file may hold any size; the area never shows more than itself.
        const int width = qMin(m_project.buttonWidth, sampleWidth);
        const int height = qMin(m_project.buttonHeight, sampleHeight);
        sample = QImage();
        if (width > 0 && height > 0) {
            sample = QImage(width, height, QImage::Format_RGB32);
            sample.fill(toQColor(style.backgroundColor));
        }
        break;
    }
    case BackgroundKind::NoChoice:
        sample = QImage();
        break;
    }
    emit backgroundSampleChanged(state);
}

void StateStyleEditor::clearBackgroundSamples()
{
    for (QImage& sample : m_samples)
        sample = QImage();
}

QImage StateStyleEditor::backgroundSample(ButtonState state) const
{
    return m_samples[slot(state)];
}

void StateStyleEditor::setBackgroundKind(ButtonState state, BackgroundKind kind)
{
    m_project.style(state).backgroundKind = kind;
    refreshBackgroundSample(state);
    emit changed();
}

bool StateStyleEditor::chooseBackgroundColor(ButtonState state)
{
    ButtonStateStyle& style = m_project.style(state);
    const std::optional<ColorRef> color = m_platform.chooseColor(style.backgroundColor);
    if (!color)
        return false;
    style.backgroundColor = *color;
    style.backgroundKind = BackgroundKind::Regular;
    refreshBackgroundSample(state);
    emit changed();
    return true;
}

void StateStyleEditor::setPredefinedIndex(ButtonState state, int index)
{
    ButtonStateStyle& style = m_project.style(state);
    style.predefinedIndex = index;
    style.backgroundKind = BackgroundKind::Predefined;
    refreshBackgroundSample(state);
    emit changed();
}

bool StateStyleEditor::chooseOwnImage(ButtonState state)
{
    ButtonStateStyle& style = m_project.style(state);
    PlatformServices::FileDialogOptions options;
    options.title = WizardTexts::ownImageDialogTitle;
    options.filter = WizardTexts::ownImageFilter;
    options.picturePreview = true;
    if (style.namesOwnImage()) {
        options.initialDirectory = QFileInfo(style.imageFileName).absolutePath();
        options.fileName = style.imageFileName;
    }
    const QString chosen = m_platform.openFileName(options);
    if (chosen.isEmpty())
        return false;

    if (const Failure failure = OwnImageLoader::loadInto(m_pictures, state, chosen)) {
        m_platform.showFailure(failure);
        return false;
    }
    style.imageFileName = chosen;
    style.backgroundKind = BackgroundKind::OwnImage;
    refreshBackgroundSample(state);
    emit changed();

    if (state != ButtonState::Normal) {
        const QString warning = WizardTexts::sizeMismatchWarning(
            m_pictures.ownImage(state).size(), ButtonSize::normalSize(m_project, m_pictures));
        if (!warning.isEmpty())
            m_platform.showMessage(warning);
    }
    return true;
}

void StateStyleEditor::applySizeStep(ButtonSize::Step step)
{
    ButtonSize::applyStep(m_project, step);
    refreshBackgroundSample(ButtonState::Normal);
    emit changed();
}

bool StateStyleEditor::chooseFont(ButtonState state)
{
    ButtonStateStyle& style = m_project.style(state);
    const std::optional<PlatformServices::FontAttributes> chosen = m_platform.chooseFont(style);
    if (!chosen)
        return false;
    copyFont(*chosen, style);
    emit changed();
    return true;
}

bool StateStyleEditor::chooseShadowColor(ButtonState state)
{
    ButtonStateStyle& style = m_project.style(state);
    const std::optional<ColorRef> color = m_platform.chooseColor(style.dropShadowColor);
    if (!color)
        return false;
    style.dropShadowColor = *color;
    emit changed();
    return true;
}

StateStyleEditor::FontSample StateStyleEditor::fontSample(ButtonState state) const
{
    const ButtonStateStyle& style = m_project.style(state);
    return {ButtonFont::fontFor(style), toQColor(style.fontColor), toQColor(style.backgroundColor)};
}
