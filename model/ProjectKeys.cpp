#include "ProjectKeys.h"

#include <QHash>

#include <type_traits>

namespace {

QString asciiLower(QStringView s)
{
    QString out = s.toString();
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return out;
}

using Kind = ProjectKeys::Kind;
using P = ButtonProject;
using S = ButtonStateStyle;

// As the keys spell the states.
const char* const stateNames[] = {"Normal", "Selected", "Pressed"};

QList<ProjectKeys::Key> buildKeys()
{
    QList<ProjectKeys::Key> keys;
    const auto add = [&keys](const QString& name, Kind kind, ProjectKeys::Member member,
                             ButtonState state = ButtonState::Normal) {
        keys.append({name, state, kind, member});
    };
    add(QStringLiteral("rgJavascriptOptions"), Kind::Choice, &P::javaScriptOption);
    add(QStringLiteral("fHeight"), Kind::Number, &P::buttonHeight);
    add(QStringLiteral("fWidth"), Kind::Number, &P::buttonWidth);

    const struct
    {
        ButtonState state;
        const char* image;
    } states[] = {{ButtonState::Normal, "image1"},
                  {ButtonState::Selected, "image2"},
                  {ButtonState::Pressed, "image3"}};
    for (const auto& s : states) {
        const QString c = QLatin1String(stateNames[int(s.state) - 1]);
        const QString image = QLatin1String(s.image);
        const auto style = [&](const QString& name, Kind kind, ProjectKeys::Member member) {
            add(name, kind, member, s.state);
        };
        style("rg" + c + "ButtonBackground", Kind::Choice, &S::backgroundKind);
        style("lbl" + c + "ButtonBMPfilename", Kind::ImageFileName, &S::imageFileName);
        style(image + ".canvas.brush.color", Kind::Colour, &S::backgroundColor);
        style("cb" + c + "ButtonPredefinedBitmaps", Kind::PredefinedIndex, &S::predefinedIndex);
        // The one project-wide setting that lives among the normal state's lines.
        if (s.state == ButtonState::Normal)
            add(QStringLiteral("cbNormalButtonVariableWidth"), Kind::Flag, &P::variableWidth);
        style("rg" + c + "ButtonBorders", Kind::Choice, &S::borderEffect);
        style("rg" + c + "ButtonPress", Kind::Choice, &S::pressEffect);
        style(image + ".canvas.font.name", Kind::FontName, &S::fontName);
        style(image + ".canvas.font.color", Kind::Colour, &S::fontColor);
        style(image + ".canvas.font.size", Kind::Number, &S::fontSize);
        style(image + ".canvas.font.style.fsBold", Kind::Flag, &S::fontBold);
        style(image + ".canvas.font.style.fsItalic", Kind::Flag, &S::fontItalic);
        style(image + ".canvas.font.style.fsUnderline", Kind::Flag, &S::fontUnderline);
        style(image + ".canvas.font.style.fsStrikeOut", Kind::Flag, &S::fontStrikeOut);
        style("rg" + c + "ButtonTextJustification", Kind::Choice, &S::textJustification);
        style("rg" + c + "ButtonTextOrientation", Kind::Choice, &S::textOrientation);
        style("cb" + c + "ButtonPickFontDropShadow", Kind::Flag, &S::dropShadow);
        style("lbl" + c + "ButtonPickFontDropShadowColor.color", Kind::Colour, &S::dropShadowColor);
    }

    add(QStringLiteral("lblOutputDirectoryFileName"), Kind::Text, &P::outputDirectory);
    add(QStringLiteral("edOutputDirectoryFileNamePrefix"), Kind::Text, &P::fileNamePrefix);
    add(QStringLiteral("cbOutputDirectoryUseLabelsAsNames"), Kind::Flag, &P::useCaptionsAsNames);
    add(QStringLiteral("rgHTMLDirection"), Kind::Choice, &P::htmlDirection);
    add(QStringLiteral("rgHTMLMakeTable"), Kind::Choice, &P::htmlTable);
    add(QStringLiteral("rgImageFileFormat"), Kind::Choice, &P::imageFileFormat);
    return keys;
}

const QHash<QString, int>& keyIndex()
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const QList<ProjectKeys::Key>& keys = ProjectKeys::all();
        for (int i = 0; i < keys.size(); ++i)
            h.insert(asciiLower(keys[i].name), i);
        const QList<ProjectKeys::Option>& optional = ProjectKeys::optional();
        for (int i = 0; i < optional.size(); ++i)
            h.insert(asciiLower(optional[i].key.name), keys.size() + i);
        return h;
    }();
    return index;
}
} // namespace

const QList<ProjectKeys::Key>& ProjectKeys::all()
{
    static const QList<Key> keys = buildKeys();
    return keys;
}

namespace {
ProjectKeys::Key flagKey(const char* name, ProjectKeys::ProjectMember<bool> member)
{
    return {QLatin1String(name), ButtonState::Normal, Kind::Flag, member};
}

// The looks of the buttons on any page: corners, gradients, the page colour, pictures' surround.
QList<ProjectKeys::Option> looksOptions()
{
    using Option = ProjectKeys::Option;
    const auto flag = flagKey;
    const QString looks = QStringLiteral("Looks");
    // One --gradient flag sets the three states' rows, told apart by the word before "=".
    const auto gradient = [&looks](ButtonState state, const char* label) {
        const QString name = QString::fromLatin1(stateNames[int(state) - 1]);
        return Option{
            {name + QStringLiteral("Gradient"), state, Kind::OptionalColour, &S::gradientColor},
            QStringLiteral("gradient"),
            QStringLiteral("STATE=#RRGGBB"),
            QStringLiteral("a solid-colour background of STATE (Normal, Selected or "
                           "Pressed) runs from its colour to this one; off for none"),
            QLatin1String(label),
            QStringLiteral("A solid-colour %1 button runs from its colour to this one.")
                .arg(name.toLower()),
            name,
            looks};
    };
    return {
        {{QStringLiteral("CornerRadius"), ButtonState::Normal, Kind::Number, &P::cornerRadius, 0,
          P::maxCornerRadius},
         QStringLiteral("corner-radius"),
         QStringLiteral("N"),
         QStringLiteral("round the outside corners of every button with a radius of N pixels, "
                        "0 to 64; outside them the images are transparent"),
         QStringLiteral("Corner &radius"),
         QStringLiteral("Rounds the four outside corners; the page shows through outside them."),
         QString(),
         looks},
        {{QStringLiteral("PageColor"), ButtonState::Normal, Kind::WebColour, &P::pageColor},
         QStringLiteral("page-color"),
         QStringLiteral("#RRGGBB"),
         QStringLiteral("the colour of the page the buttons stand on: the sample page's "
                        "background, and what JPEG and GIF edges are blended with"),
         QStringLiteral("&Page colour"),
         QStringLiteral("The sample page's background; JPEG and GIF edges are blended with it."),
         QString(),
         looks},
        gradient(ButtonState::Normal, "&Normal gradient"),
        gradient(ButtonState::Selected, "Se&lected gradient"),
        gradient(ButtonState::Pressed, "Presse&d gradient"),
        {{QStringLiteral("GradientDirection"),
          ButtonState::Normal,
          Kind::NamedChoice,
          &P::gradientDirection,
          0,
          0,
          {QStringLiteral("Vertical"), QStringLiteral("Horizontal")}},
         QStringLiteral("gradient-direction"),
         QStringLiteral("DIRECTION"),
         QStringLiteral("Vertical (top to bottom) or Horizontal (left to right), for every "
                        "gradient"),
         QStringLiteral("Gradient d&irection"),
         QStringLiteral("Gradients run from top to bottom, or from left to right."),
         QString(),
         looks},
        {flag("TransparentPictures", &P::transparentPictures),
         QStringLiteral("transparent-pictures"), QString(),
         QStringLiteral("shaped built-in pictures and own pictures keep their transparent "
                        "surround instead of white"),
         QStringLiteral("&Transparent pictures"),
         QStringLiteral("Shaped built-in pictures lose their white surround; own pictures keep "
                        "theirs."),
         QString(), looks},
    };
}
} // namespace

const QList<ProjectKeys::Option>& ProjectKeys::optional()
{
    const auto flag = flagKey;
    static const QList<Option> options =
        QList<Option>{
            {flag("SmoothCaptions", &P::smoothCaptions), QStringLiteral("smooth"), QString(),
             QStringLiteral("smooth (antialiased) captions"), QStringLiteral("&Smooth captions"),
             QStringLiteral("Draws captions and their shadows with soft, antialiased edges.")},
            {flag("HiDpiImages", &P::hiDpiImages), QStringLiteral("hidpi"), QString(),
             QStringLiteral("also write every image at twice the size, as NAME@2x.EXT"),
             QStringLiteral("&HiDPI images"),
             QStringLiteral("Also writes each image at twice the size, as name@2x, for sharp "
                            "buttons on 2\u00D7 screens.")},
            {flag("KeyboardRollovers", &P::keyboardRollovers), QStringLiteral("keyboard-rollovers"),
             QString(), QStringLiteral("links show their rollovers on keyboard focus and Enter"),
             QStringLiteral("&Keyboard rollovers"),
             QStringLiteral("Links reached with Tab show the selected image; Enter shows the "
                            "pressed one.")},
            {flag("CssRollovers", &P::cssRollovers), QStringLiteral("css-rollovers"), QString(),
             QStringLiteral("a sample page without script: a sprite per button and a stylesheet"),
             QStringLiteral("&CSS rollovers"),
             QStringLiteral("A page without script: a stylesheet swaps each button's sprite.")},
            {flag("WebPImages", &P::webPImages), QStringLiteral("webp"), QString(),
             QStringLiteral(
                 "also write every image losslessly as NAME.webp, which the page then shows"),
             QStringLiteral("&WebP images"),
             QStringLiteral("Also writes each image losslessly as name.webp, smaller than PNG, and "
                            "the page shows those.")},
            {flag("CompactPng", &P::compactPng), QStringLiteral("compact-png"), QString(),
             QStringLiteral("write each PNG with a palette where it has at most 256 colours and "
                            "that makes the file smaller: the same pixels"),
             QStringLiteral("C&ompact PNG files"),
             QStringLiteral("Smaller PNG files: a palette where a button has at most 256 "
                            "colours; the same pixels")},
        } +
        looksOptions();
    return options;
}

const ProjectKeys::Key* ProjectKeys::find(QStringView name)
{
    const auto it = keyIndex().constFind(asciiLower(name));
    if (it == keyIndex().cend())
        return nullptr;
    const qsizetype classic = all().size();
    return *it < classic ? &all()[*it] : &optional()[*it - classic].key;
}

bool ProjectKeys::isCaptionKey(QStringView name)
{
    return asciiLower(name) == QLatin1String("labeltext");
}

namespace {
template <typename Project, typename T>
Project& owner(Project& project, ButtonState, ProjectKeys::ProjectMember<T>)
{
    return project;
}
template <typename Project, typename T>
auto& owner(Project& project, ButtonState state, ProjectKeys::StyleMember<T>)
{
    return project.style(state);
}

// Calls f with the enumeration a choice row names.
template <typename Project, typename F>
void visitChoice(const ProjectKeys::Key& key, Project& project, F&& f)
{
    std::visit(
        [&](auto member) {
            auto& value = owner(project, key.state, member).*member;
            if constexpr (std::is_enum_v<std::remove_cvref_t<decltype(value)>>)
                f(value);
        },
        key.member);
}
} // namespace

int ProjectKeys::Key::choice(const ButtonProject& project) const
{
    int result = -1;
    visitChoice(*this, project, [&result](const auto& value) { result = int(value); });
    return result;
}

void ProjectKeys::Key::setChoice(ButtonProject& project, qint64 value) const
{
    visitChoice(*this, project, [value](auto& choice) {
        choice = clampChoice<std::remove_cvref_t<decltype(choice)>>(value);
    });
}

bool ProjectKeys::Key::sameIn(const ButtonProject& a, const ButtonProject& b) const
{
    bool same = false;
    std::visit(
        [&](auto member) {
            same = owner(a, state, member).*member == owner(b, state, member).*member;
        },
        member);
    return same;
}

void ProjectKeys::Key::copy(const ButtonProject& from, ButtonProject& to) const
{
    std::visit([&](auto m) { owner(to, state, m).*m = owner(from, state, m).*m; }, member);
}

QString ProjectKeys::Key::valueText(const ButtonProject& project) const
{
    switch (kind) {
    case Kind::Flag:
        return ref<bool>(project) ? flagOn : QStringLiteral("F");
    case Kind::Number:
        return QString::number(ref<qint32>(project));
    case Kind::Colour:
        return QString::number(qint32(ref<ColorRef>(project)));
    case Kind::WebColour:
        return Colors::webText(ref<ColorRef>(project));
    case Kind::Choice:
        return QString::number(choice(project));
    case Kind::PredefinedIndex: {
        const qint32 index = ref<qint32>(project);
        return QString::number(ButtonStateStyle::isPredefinedIndex(index) ? index : -1);
    }
    case Kind::Text:
    case Kind::FontName:
    case Kind::ImageFileName:
        return lineText(ref<QString>(project));
    case Kind::NamedChoice:
        return names.value(choice(project));
    case Kind::OptionalColour: {
        const std::optional<ColorRef>& colour = ref<std::optional<ColorRef>>(project);
        return colour ? Colors::webText(*colour) : QStringLiteral("off");
    }
    }
    return QString();
}

int ProjectKeys::Key::choiceNamed(QStringView name) const
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (asciiLower(names[i]) == asciiLower(name))
            return int(i);
    }
    return -1;
}

bool ProjectKeys::Key::optionalColour(QStringView text, std::optional<ColorRef>* colour)
{
    ColorRef value = 0;
    if (Colors::fromWebText(text, &value)) {
        *colour = value;
        return true;
    }
    if (asciiLower(text) != QLatin1String("off"))
        return false;
    colour->reset();
    return true;
}

QString ProjectKeys::lineText(QString text)
{
    // The format has no escapes: a line break would split the line, and 0x1A would end the
    // file for the reader, losing everything after it.
    for (QChar& c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\x1A')
            c = u' ';
    }
    return text;
}
