#include "WizardController.h"

#include "ButtonFont.h"
#include "ButtonRenderer.h"
#include "CodeViewer.h"
#include "CodecError.h"
#include "IoErrorText.h"
#include "OutputNaming.h"
#include "OwnImageLoader.h"
#include "PlatformServices.h"
#include "PredefinedBackground.h"
#include "SettingsStore.h"
#include "WizardTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace {

constexpr int maxTemporaryDirectoryLength = 250;
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

// The four buttons whose target the JavaScript option decides, by option MouseOver, Pressed,
// Both and Static.
struct Route
{
    int from;
    bool next;
    int to[4];
};

constexpr Route routes[] = {
    {WizardController::NormalButtonPickFont,
     true,
     {WizardController::SelectedButton, WizardController::ButtonPressed,
      WizardController::SelectedButton, WizardController::OutputDirectory}},
    {WizardController::SelectedButtonPickFont,
     true,
     {WizardController::OutputDirectory, WizardController::ButtonPressed,
      WizardController::ButtonPressed, WizardController::OutputDirectory}},
    {WizardController::ButtonPressed,
     false,
     {WizardController::SelectedButtonPickFont, WizardController::NormalButtonPickFont,
      WizardController::SelectedButtonPickFont, WizardController::NormalButtonPickFont}},
    {WizardController::OutputDirectory,
     false,
     {WizardController::SelectedButtonPickFont, WizardController::ButtonPressedPickFont,
      WizardController::ButtonPressedPickFont, WizardController::NormalButtonPickFont}},
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

WizardController::WizardController(PlatformServices& platform, QObject* parent)
    : QObject(parent), m_platform(platform), m_fileCommands(m_project, m_pictures, platform)
{
}

WizardController::~WizardController() = default;

void WizardController::start()
{
    m_project = ButtonProject();
    m_project.projectFileName.clear();
    m_pictures = BackgroundPictures();
    for (QImage& sample : m_samples)
        sample = QImage();
    setSelectedCaptionRow(-1);

    m_project.outputDirectory = m_platform.programDirectory();
    const QString temporary = m_platform.temporaryDirectory();
    if (!temporary.isEmpty() && temporary.size() < maxTemporaryDirectoryLength)
        m_project.outputDirectory = temporary;

    SettingsStore(m_platform.settingsFilePath()).loadOptionSets(m_options);
    emit projectReplaced();
    emit changed();
    showPage(Start);
    m_firstPass = true;
}

void WizardController::setOptionSets(const OptionSets& options)
{
    m_options = options;
    emit changed();
}

bool WizardController::confirmJpegOptions(const JpegFileOptions& options)
{
    m_options.jpeg = options;
    emit changed();
    SettingsStore store(m_platform.settingsFilePath());
    if (options.retainSettings ? store.saveJpegOptions(options) : store.forgetJpegOptions())
        return true;
    m_platform.showError(store.errorString());
    return false;
}

bool WizardController::confirmTextOffsetOptions(const TextOffsetOptions& options)
{
    m_options.text = options;
    emit changed();
    SettingsStore store(m_platform.settingsFilePath());
    if (options.retainSettings ? store.saveTextOffsetOptions(options)
                               : store.forgetTextOffsetOptions())
        return true;
    m_platform.showError(store.errorString());
    return false;
}

void WizardController::showPage(int page)
{
    if (page < 0 || page >= PageCount)
        return;
    m_page = page;
    switch (page) {
    case Start:
        m_firstPass = true;
        break;
    case NormalButton:
        refreshBackgroundSample(ButtonState::Normal);
        break;
    case SelectedButton:
        refreshBackgroundSample(ButtonState::Selected);
        break;
    case ButtonPressed:
        refreshBackgroundSample(ButtonState::Pressed);
        break;
    default:
        break;
    }
    emit pageChanged(page);
}

bool WizardController::next()
{
    if (m_generating)
        return false;
    // A typed folder that is not there yet is created when the user agrees; a file of that
    // name fails the check below.
    if (m_page == OutputDirectory && !m_project.outputDirectory.isEmpty()) {
        const QString directory =
            OutputNaming::normalisedOutputDirectory(m_project.outputDirectory);
        if (!QFileInfo::exists(QDir::cleanPath(directory)) && !offerToCreate(directory))
            return false;
    }
    const QString message = pageCheckMessage(m_page, m_project);
    if (!message.isEmpty()) {
        m_platform.showMessage(message);
        return false;
    }
    const int left = m_page;
    const int target = nextPage(left, m_project.javaScriptOption);
    if (target == left)
        return false;
    showPage(target);
    if (m_firstPass)
        copyFirstPassChoices(left);
    if (left == Generate)
        runGeneration();
    return true;
}

void WizardController::previous()
{
    if (m_generating)
        return;
    showPage(previousPage(m_page, m_project.javaScriptOption));
}

int WizardController::nextPage(int page, JavaScriptOption option)
{
    if (page < 0 || page >= Finished)
        return page;
    return routedPage(page, true, option, page + 1);
}

int WizardController::previousPage(int page, JavaScriptOption option)
{
    if (page <= 0 || page >= PageCount)
        return page;
    return routedPage(page, false, option, page - 1);
}

QString WizardController::pageCheckMessage(int page, const ButtonProject& project)
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
        if (project.outputDirectory.isEmpty() ||
            !QFileInfo(OutputNaming::normalisedOutputDirectory(project.outputDirectory)).isDir())
            return QStringLiteral("Invalid output directory specified");
        if (project.fileNamePrefix.isEmpty())
            return QStringLiteral("File Name Prefix must be 1 - 8 characters");
        if (const QString prefixError = OutputNaming::prefixError(project.fileNamePrefix);
            !prefixError.isEmpty())
            return prefixError;
        break;
    case Html:
        if (project.htmlDirection == HtmlDirection::NoChoice)
            return QStringLiteral("Please select a value for HTML Direction");
        break;
    default:
        break;
    }
    return QString();
}

bool WizardController::showHelp()
{
    // Named bare, so the platform takes it from the current folder.
    if (QFileInfo(QDir::current(), WizardTexts::helpFileName).isFile())
        return openWithApplication(WizardTexts::helpFileName);
    return showProgramHelp();
}

bool WizardController::showProgramHelp()
{
    const QString path = installedHelpPath();
    if (!QFileInfo(path).isFile()) {
        // Opening a missing page shows nothing on most desktops: F1 would seem dead.
        m_platform.showError(codecErrorMessage(CodecError::OpenFile, QDir::toNativeSeparators(path),
                                               codecSystemErrorText(ENOENT)));
        return false;
    }
    return openWithApplication(path);
}

bool WizardController::openWithApplication(const QString& fileOrUrl,
                                           const QString& workingDirectory)
{
    const QString failure = m_platform.openWithApplication(fileOrUrl, workingDirectory);
    if (failure.isEmpty())
        return true;
    m_platform.showError(WizardTexts::cannotOpen(
        workingDirectory.isEmpty() ? fileOrUrl : QDir(workingDirectory).filePath(fileOrUrl),
        failure));
    return false;
}

bool WizardController::showWebPage()
{
    return openWithApplication(WizardTexts::webPageAddress());
}

QString WizardController::installedHelpPath() const
{
    // The install rules set the folder; the build tree mirrors it beside bin/.
    return QDir::cleanPath(m_platform.programDirectory() +
                           QStringLiteral(BRINDLEWICK_HELP_FROM_BIN "/") +
                           WizardTexts::helpFileName);
}

void WizardController::copyFirstPassChoices(int pageLeft)
{
    ButtonStateStyle& normal = m_project.normal;
    ButtonStateStyle* const others[] = {&m_project.selected, &m_project.pressed};
    switch (pageLeft) {
    case NormalButton:
        for (ButtonStateStyle* other : others)
            other->backgroundColor = normal.backgroundColor;
        for (ButtonStateStyle* other : others) {
            other->backgroundKind = normal.backgroundKind;
            other->predefinedIndex = normal.predefinedIndex;
        }
        reloadPredefined(ButtonState::Selected);
        reloadPredefined(ButtonState::Pressed);
        break;
    case NormalButtonOptions:
        for (ButtonStateStyle* other : others)
            other->borderEffect = normal.borderEffect;
        m_project.selected.pressEffect = normal.pressEffect;
        m_project.pressed.pressEffect = PressEffect::Pressed;
        break;
    case NormalButtonPickFont:
        for (ButtonStateStyle* other : others) {
            other->textJustification = normal.textJustification;
            other->textOrientation = normal.textOrientation;
        }
        m_firstPass = false;
        break;
    default:
        return;
    }
    emit changed();
}

void WizardController::setSelectedCaptionRow(int row)
{
    const int valid = row >= 0 && row < m_project.captions.size() ? row : -1;
    if (valid == m_selectedCaptionRow)
        return;
    m_selectedCaptionRow = valid;
    emit selectedCaptionChanged(valid);
}

std::optional<QString> WizardController::askCaption(const QString& initialText)
{
    const std::optional<QString> text =
        m_platform.inputText(WizardTexts::captionDialogTitle, WizardTexts::captionDialogPrompt,
                             initialText, WizardTexts::maxCaptionLength);
    if (!text)
        return std::nullopt;
    if (text->isEmpty()) {
        m_platform.beep();
        return std::nullopt;
    }
    return text;
}

void WizardController::emitCaptions(int selectedRow)
{
    setSelectedCaptionRow(selectedRow);
    emit captionsChanged(m_selectedCaptionRow);
    emit changed();
}

int WizardController::addCaption()
{
    const std::optional<QString> text = askCaption(QString());
    if (!text)
        return m_selectedCaptionRow;
    m_project.captions.append(*text);
    emitCaptions(m_selectedCaptionRow);
    return m_selectedCaptionRow;
}

int WizardController::insertCaption(int selectedRow)
{
    setSelectedCaptionRow(selectedRow);
    const int row = m_selectedCaptionRow;
    const std::optional<QString> text = askCaption(QString());
    if (!text)
        return row;
    if (row < 0)
        m_project.captions.append(*text);
    else
        m_project.captions.insert(row, *text);
    emitCaptions(row);
    return m_selectedCaptionRow;
}

int WizardController::modifyCaption(int selectedRow)
{
    setSelectedCaptionRow(selectedRow);
    const int row = m_selectedCaptionRow;
    if (row < 0)
        return row;
    const std::optional<QString> text = askCaption(m_project.captions.at(row));
    if (!text)
        return row;
    m_project.captions[row] = *text;
    emitCaptions(row);
    return m_selectedCaptionRow;
}

int WizardController::deleteCaption(int selectedRow)
{
    setSelectedCaptionRow(selectedRow);
    const int row = m_selectedCaptionRow;
    if (row < 0)
        return row;
    m_project.captions.removeAt(row);
    emitCaptions(-1);
    return m_selectedCaptionRow;
}

void WizardController::setJavaScriptOption(JavaScriptOption option)
{
    m_project.javaScriptOption = option;
    emit changed();
}

void WizardController::setVariableWidth(bool on)
{
    m_project.variableWidth = on;
    emit changed();
}

void WizardController::reloadPredefined(ButtonState state)
{
    m_pictures.setPredefined(state,
                             PredefinedBackground::load(m_project.style(state).predefinedIndex));
}

void WizardController::refreshBackgroundSample(ButtonState state)
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

QImage WizardController::backgroundSample(ButtonState state) const
{
    return m_samples[slot(state)];
}

void WizardController::setBackgroundKind(ButtonState state, BackgroundKind kind)
{
    m_project.style(state).backgroundKind = kind;
    refreshBackgroundSample(state);
    emit changed();
}

bool WizardController::chooseBackgroundColor(ButtonState state)
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

void WizardController::setPredefinedIndex(ButtonState state, int index)
{
    ButtonStateStyle& style = m_project.style(state);
    style.predefinedIndex = index;
    style.backgroundKind = BackgroundKind::Predefined;
    refreshBackgroundSample(state);
    emit changed();
}

bool WizardController::chooseOwnImage(ButtonState state)
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

    QString error;
    if (!OwnImageLoader::loadInto(m_pictures, state, chosen, &error)) {
        m_platform.showError(error);
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

void WizardController::applySizeStep(ButtonSize::Step step)
{
    ButtonSize::applyStep(m_project, step);
    refreshBackgroundSample(ButtonState::Normal);
    emit changed();
}

void WizardController::setBorderEffect(ButtonState state, BorderEffect effect)
{
    m_project.style(state).borderEffect = effect;
    emit changed();
}

void WizardController::setPressEffect(ButtonState state, PressEffect effect)
{
    m_project.style(state).pressEffect = effect;
    emit changed();
}

bool WizardController::chooseFont(ButtonState state)
{
    ButtonStateStyle& style = m_project.style(state);
    const std::optional<PlatformServices::FontAttributes> chosen = m_platform.chooseFont(style);
    if (!chosen)
        return false;
    copyFont(*chosen, style);
    emit changed();
    return true;
}

void WizardController::setTextJustification(ButtonState state, TextJustification justification)
{
    m_project.style(state).textJustification = justification;
    emit changed();
}

void WizardController::setTextOrientation(ButtonState state, TextOrientation orientation)
{
    m_project.style(state).textOrientation = orientation;
    emit changed();
}

void WizardController::setDropShadow(ButtonState state, bool on)
{
    m_project.style(state).dropShadow = on;
    emit changed();
}

bool WizardController::chooseShadowColor(ButtonState state)
{
    ButtonStateStyle& style = m_project.style(state);
    const std::optional<ColorRef> color = m_platform.chooseColor(style.dropShadowColor);
    if (!color)
        return false;
    style.dropShadowColor = *color;
    emit changed();
    return true;
}

WizardController::FontSample WizardController::fontSample(ButtonState state) const
{
    const ButtonStateStyle& style = m_project.style(state);
    return {ButtonFont::fontFor(style), toQColor(style.fontColor), toQColor(style.backgroundColor)};
}

bool WizardController::chooseOutputDirectory()
{
    const QString initial = OutputNaming::normalisedOutputDirectory(m_project.outputDirectory);
    const QString chosen =
        m_platform.chooseDirectory(WizardTexts::outputDirectoryDialogTitle, initial);
    if (chosen.isEmpty() || !offerToCreate(chosen))
        return false;
    m_project.outputDirectory = chosen;
    emit changed();
    return true;
}

bool WizardController::offerToCreate(const QString& directory)
{
    if (QFileInfo(directory).isDir())
        return true;
    if (!m_platform.confirm(WizardTexts::confirmTitle, WizardTexts::createDirectoryQuestion))
        return false;
    std::error_code error;
    std::filesystem::create_directories(
        std::filesystem::path(QFile::encodeName(directory).toStdString()), error);
    if (error || !QFileInfo(directory).isDir()) {
        // A file in the way gives no error code of its own.
        const int code = error ? error.value() : EEXIST;
        m_platform.showError(
            WizardTexts::createDirectoryFailed(directory, IoErrorText::forErrno(code, directory)));
        return false;
    }
    return true;
}

void WizardController::setOutputDirectory(const QString& directory)
{
    m_project.outputDirectory = directory;
    emit changed();
}

void WizardController::setFileNamePrefix(const QString& prefix)
{
    // Typing is limited by the field; a longer prefix read from a project file stays whole.
    m_project.fileNamePrefix = prefix;
    emit changed();
}

void WizardController::setUseCaptionsAsNames(bool on)
{
    m_project.useCaptionsAsNames = on;
    emit changed();
}

void WizardController::setHtmlDirection(HtmlDirection direction)
{
    m_project.htmlDirection = direction;
    emit changed();
}

void WizardController::setHtmlTable(HtmlTable table)
{
    m_project.htmlTable = table;
    emit changed();
}

void WizardController::setImageFileFormat(ImageFileFormat format)
{
    m_project.imageFileFormat = format;
    emit changed();
}

void WizardController::setSmoothCaptions(bool on)
{
    m_project.smoothCaptions = on;
    emit changed();
}

void WizardController::setHiDpiImages(bool on)
{
    m_project.hiDpiImages = on;
    emit changed();
}

void WizardController::setKeyboardRollovers(bool on)
{
    m_project.keyboardRollovers = on;
    emit changed();
}

WizardController::OpenResult WizardController::openProject()
{
    const OpenResult result = m_fileCommands.open();
    if (result == OpenResult::Cancelled)
        return result;
    if (result == OpenResult::Read)
        m_firstPass = false;
    setSelectedCaptionRow(-1);
    // The page on screen shows the file's values, its sample included.
    if (m_page == NormalButton)
        refreshBackgroundSample(ButtonState::Normal);
    else if (m_page == SelectedButton)
        refreshBackgroundSample(ButtonState::Selected);
    else if (m_page == ButtonPressed)
        refreshBackgroundSample(ButtonState::Pressed);
    emit projectReplaced();
    emit changed();
    return result;
}

bool WizardController::saveProject()
{
    return m_fileCommands.save();
}

bool WizardController::saveProjectAs()
{
    return m_fileCommands.saveAs();
}

void WizardController::runGeneration()
{
    m_generating = true;
    emit generationStarted();
    GenerationRun run(m_project, m_pictures, m_options, m_sizes);
    run.setProgressCallback([this](int done, int total) { emit generationProgress(done, total); });
    m_lastResult = run.run();
    m_generating = false;
    emit generationFinished();

    if (!m_lastResult.droppedImages.isEmpty()) {
        const DroppedImage& first = m_lastResult.droppedImages.first();
        m_platform.showError(WizardTexts::droppedImagesMessage(m_lastResult.droppedImageCount,
                                                               first.pathStem, first.reason));
    }
    if (!m_lastResult.fatalError.isEmpty())
        m_platform.showError(m_lastResult.fatalError);
}

bool WizardController::previewInBrowser()
{
    return openWithApplication(m_project.fileNamePrefix + QStringLiteral("PAGE.html"),
                               OutputNaming::normalisedOutputDirectory(m_project.outputDirectory));
}

QString WizardController::outputFolder() const
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::current().absoluteFilePath(
        OutputNaming::normalisedOutputDirectory(m_project.outputDirectory))));
}

bool WizardController::openOutputFolder()
{
    return openWithApplication(outputFolder());
}

QString WizardController::samplePagePath() const
{
    return OutputNaming::samplePagePath(m_project);
}

std::unique_ptr<CodeViewer> WizardController::openCodeViewer()
{
    auto viewer = std::make_unique<CodeViewer>(m_platform);
    if (!viewer->load(samplePagePath())) {
        m_platform.showError(viewer->errorString());
        return nullptr;
    }
    return viewer;
}

QString WizardController::previewCaption() const
{
    const CaptionList& captions = m_project.captions;
    if (m_selectedCaptionRow >= 0 && m_selectedCaptionRow < captions.size())
        return captions.at(m_selectedCaptionRow);
    if (!captions.isEmpty())
        return captions.first();
    return QStringLiteral("Sample");
}

QList<ButtonState> WizardController::previewStates() const
{
    return QList<ButtonState>{ButtonState::Normal} + m_project.extraStates();
}

QList<QImage> WizardController::previewButtons() const
{
    if (!m_previewRenderer)
        m_previewRenderer =
            std::make_unique<ButtonRenderer>(m_project, m_pictures, m_options.text, m_previewSizes);
    const QString caption = previewCaption();
    QList<QImage> buttons;
    // Normal first: the other states take its size.
    for (const ButtonState state : previewStates())
        buttons.append(m_previewRenderer->render(state, 1, caption));
    return buttons;
}
