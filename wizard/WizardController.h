#pragma once

#include "BackgroundPictures.h"
#include "ButtonProject.h"
#include "ButtonSize.h"
#include "ButtonSizeTables.h"
#include "GenerationRun.h"
#include "OptionSets.h"
#include "ProjectFileCommands.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QObject>

#include <memory>

class ButtonRenderer;
class CodeViewer;
class PlatformServices;

// Everything the wizard does, without widgets: the project and its pictures, the current page
// and its check, the first-pass copies, the edit commands of every page and the generation.
// The pages bind their controls to this and call it; every desktop call goes through the
// platform services.
class WizardController : public QObject
{
    Q_OBJECT
public:
    enum Page
    {
        Start,
        LabelText,
        JavaScriptOptions,
        NormalButton,
        NormalButtonOptions,
        NormalButtonPickFont,
        SelectedButton,
        SelectedButtonOptions,
        SelectedButtonPickFont,
        ButtonPressed,
        ButtonPressedOptions,
        ButtonPressedPickFont,
        OutputDirectory,
        Html,
        Generate,
        Finished,
        PageCount
    };

    using OpenResult = ProjectFileCommands::OpenResult;

    // What the "Text Sample" of a font page shows.
    struct FontSample
    {
        QFont font;
        QColor textColor;
        QColor background;
    };

    explicit WizardController(PlatformServices& platform, QObject* parent = nullptr);
    ~WizardController() override;

    // The start-up steps: no project file, defaults, the output directory, the option sets
    // (defaults, then the stored ones), page 1 with firstPass set.
    void start();

    const ButtonProject& project() const { return m_project; }
    const BackgroundPictures& pictures() const { return m_pictures; }
    const OptionSets& optionSets() const { return m_options; }
    void setOptionSets(const OptionSets& options);
    // OK of an option dialog: the set becomes current, then is stored when its
    // retainSettings is set and forgotten otherwise. False when the store could not be
    // written; its message was shown, and the set stays current all the same.
    bool confirmJpegOptions(const JpegFileOptions& options);
    bool confirmTextOffsetOptions(const TextOffsetOptions& options);
    const ButtonSizeTables& sizeTables() const { return m_sizes; }

    // Navigation.
    int currentPage() const { return m_page; }
    bool firstPass() const { return m_firstPass; }
    // Shows a page and runs its entry action; every page change goes through here.
    void showPage(int page);
    // Runs the current page's check, then moves on and does the page's extra work. False when
    // the check failed (its message was shown and nothing changed) or no page follows.
    bool next();
    void previous();
    // The page graph; a page outside 0..15, or no following page, gives the page itself.
    static int nextPage(int page, JavaScriptOption option);
    static int previousPage(int page, JavaScriptOption option);
    // The message of the first failed check of a page, empty when the page may be left.
    static QString pageCheckMessage(int page, const ButtonProject& project);

    // Help > Contents and F1: "brwk4.html" in the current folder, else the copy installed with
    // the program. When there is neither, says so; false then or when the platform refused.
    bool showHelp();
    // The copy installed with the program, as the About box's link opens it.
    bool showProgramHelp();
    // The About box's link: the program's web page.
    bool showWebPage();
    // Where the program's own copy of the help page lies.
    QString installedHelpPath() const;

    // Captions (page 2). A row of -1 means no selection; each returns the row to select.
    int selectedCaptionRow() const { return m_selectedCaptionRow; }
    void setSelectedCaptionRow(int row);
    int addCaption();
    int insertCaption(int selectedRow);
    int modifyCaption(int selectedRow);
    int deleteCaption(int selectedRow);

    // JavaScript options page.
    void setJavaScriptOption(JavaScriptOption option);
    void setVariableWidth(bool on);

    // State background pages.
    void setBackgroundKind(ButtonState state, BackgroundKind kind);
    bool chooseBackgroundColor(ButtonState state);
    void setPredefinedIndex(ButtonState state, int index);
    // The file dialog, decoding and size check; true when the picture was taken.
    bool chooseOwnImage(ButtonState state);
    void applySizeStep(ButtonSize::Step step);
    // The copy the 300 x 132 area shows, as last refreshed; null before the first refresh
    // and for an empty picture.
    QImage backgroundSample(ButtonState state) const;

    // State options pages.
    void setBorderEffect(ButtonState state, BorderEffect effect);
    void setPressEffect(ButtonState state, PressEffect effect);

    // State font pages.
    bool chooseFont(ButtonState state);
    void setTextJustification(ButtonState state, TextJustification justification);
    void setTextOrientation(ButtonState state, TextOrientation orientation);
    void setDropShadow(ButtonState state, bool on);
    bool chooseShadowColor(ButtonState state);
    FontSample fontSample(ButtonState state) const;

    // Output directory page.
    bool chooseOutputDirectory();
    void setOutputDirectory(const QString& directory);
    void setFileNamePrefix(const QString& prefix);
    void setUseCaptionsAsNames(bool on);

    // HTML and Generate pages.
    void setHtmlDirection(HtmlDirection direction);
    void setHtmlTable(HtmlTable table);
    void setImageFileFormat(ImageFileFormat format);
    // "More options…" on the Generate page.
    void setSmoothCaptions(bool on);
    void setHiDpiImages(bool on);
    void setKeyboardRollovers(bool on);

    // File menu.
    OpenResult openProject();
    bool saveProject();
    bool saveProjectAs();

    // Generation, run by Next on the Generate page.
    bool isGenerating() const { return m_generating; }
    const GenerationResult& lastGenerationResult() const { return m_lastResult; }
    // "Preview In Browser" on the Finished page: the sample page with its application.
    bool previewInBrowser();
    QString samplePagePath() const;
    // The folder the run writes into, and "Open Folder" on the Finished page.
    QString outputFolder() const;
    bool openOutputFolder();
    // "View Javascript + HTML Code": a viewer on the sample page, or null when the page
    // cannot be read (the error was shown).
    std::unique_ptr<CodeViewer> openCodeViewer();

    // Live preview: the caption it shows and its buttons in every state the JavaScript
    // option uses, as the run writes them.
    QString previewCaption() const;
    QList<ButtonState> previewStates() const;
    QList<QImage> previewButtons() const;

signals:
    // Any change of the project, the option sets or the pictures.
    void changed();
    void pageChanged(int page);
    void backgroundSampleChanged(ButtonState state);
    // The captions changed; the selection to show goes with it.
    void captionsChanged(int selectedRow);
    // The selected caption row changed, and so the caption the live preview shows.
    void selectedCaptionChanged(int row);
    // A project file was read: every page shows the project anew.
    void projectReplaced();
    void generationStarted();
    void generationProgress(int done, int total);
    void generationFinished();

private:
    void refreshBackgroundSample(ButtonState state);
    void copyFirstPassChoices(int pageLeft);
    void runGeneration();
    void reloadPredefined(ButtonState state);
    std::optional<QString> askCaption(const QString& initialText);
    void emitCaptions(int selectedRow);
    // Asks before creating a folder that is not there; false unless it is there afterwards.
    bool offerToCreate(const QString& directory);
    // Opens through the platform; a failure is shown with its reason.
    bool openWithApplication(const QString& fileOrUrl, const QString& workingDirectory = {});

    PlatformServices& m_platform;
    ButtonProject m_project;
    OptionSets m_options;
    BackgroundPictures m_pictures;
    ButtonSizeTables m_sizes;
    ProjectFileCommands m_fileCommands;
    QImage m_samples[3];
    int m_page = Start;
    bool m_firstPass = true;
    bool m_generating = false;
    int m_selectedCaptionRow = -1;
    GenerationResult m_lastResult;
    // The live preview keeps its renderer, so fonts are made once per change, and its own
    // size tables, so it never disturbs a run's.
    mutable ButtonSizeTables m_previewSizes;
    mutable std::unique_ptr<ButtonRenderer> m_previewRenderer;
};
