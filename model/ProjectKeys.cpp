#include "ProjectKeys.h"

#include <QHash>

namespace {
using Field = ProjectKeys::Field;

QString asciiLower(QStringView s)
{
    QString out = s.toString();
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return out;
}

QList<ProjectKeys::Key> buildKeys()
{
    QList<ProjectKeys::Key> keys;
    const auto add = [&keys](const QString& name, Field field,
                             ButtonState state = ButtonState::Normal) {
        keys.append({name, field, state});
    };
    add(QStringLiteral("rgJavascriptOptions"), Field::JavaScriptOption);
    add(QStringLiteral("fHeight"), Field::ButtonHeight);
    add(QStringLiteral("fWidth"), Field::ButtonWidth);

    const struct
    {
        ButtonState state;
        const char* control;
        const char* image;
    } states[] = {{ButtonState::Normal, "Normal", "image1"},
                  {ButtonState::Selected, "Selected", "image2"},
                  {ButtonState::Pressed, "Pressed", "image3"}};
    for (const auto& s : states) {
        const QString c = QLatin1String(s.control);
        const QString image = QLatin1String(s.image);
        add("rg" + c + "ButtonBackground", Field::BackgroundKind, s.state);
        add("lbl" + c + "ButtonBMPfilename", Field::ImageFileName, s.state);
        add(image + ".canvas.brush.color", Field::BackgroundColor, s.state);
        add("cb" + c + "ButtonPredefinedBitmaps", Field::PredefinedIndex, s.state);
        // The one project-wide setting that lives among the normal state's lines.
        if (s.state == ButtonState::Normal)
            add(QStringLiteral("cbNormalButtonVariableWidth"), Field::VariableWidth);
        add("rg" + c + "ButtonBorders", Field::BorderEffect, s.state);
        add("rg" + c + "ButtonPress", Field::PressEffect, s.state);
        add(image + ".canvas.font.name", Field::FontName, s.state);
        add(image + ".canvas.font.color", Field::FontColor, s.state);
        add(image + ".canvas.font.size", Field::FontSize, s.state);
        add(image + ".canvas.font.style.fsBold", Field::FontBold, s.state);
        add(image + ".canvas.font.style.fsItalic", Field::FontItalic, s.state);
        add(image + ".canvas.font.style.fsUnderline", Field::FontUnderline, s.state);
        add(image + ".canvas.font.style.fsStrikeOut", Field::FontStrikeOut, s.state);
        add("rg" + c + "ButtonTextJustification", Field::TextJustification, s.state);
        add("rg" + c + "ButtonTextOrientation", Field::TextOrientation, s.state);
        add("cb" + c + "ButtonPickFontDropShadow", Field::DropShadow, s.state);
        add("lbl" + c + "ButtonPickFontDropShadowColor.color", Field::DropShadowColor, s.state);
    }

    add(QStringLiteral("lblOutputDirectoryFileName"), Field::OutputDirectory);
    add(QStringLiteral("edOutputDirectoryFileNamePrefix"), Field::FileNamePrefix);
    add(QStringLiteral("cbOutputDirectoryUseLabelsAsNames"), Field::UseCaptionsAsNames);
    add(QStringLiteral("rgHTMLDirection"), Field::HtmlDirection);
    add(QStringLiteral("rgHTMLMakeTable"), Field::HtmlTable);
    add(QStringLiteral("rgImageFileFormat"), Field::ImageFileFormat);
    return keys;
}

const QHash<QString, int>& keyIndex()
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        const QList<ProjectKeys::Key>& keys = ProjectKeys::all();
        for (int i = 0; i < keys.size(); ++i)
            h.insert(asciiLower(keys[i].name), i);
        const QList<ProjectKeys::Key>& optional = ProjectKeys::optional();
        for (int i = 0; i < optional.size(); ++i)
            h.insert(asciiLower(optional[i].name), keys.size() + i);
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

const QList<ProjectKeys::Key>& ProjectKeys::optional()
{
    static const QList<Key> keys = {
        {QStringLiteral("SmoothCaptions"), Field::SmoothCaptions, ButtonState::Normal},
        {QStringLiteral("HiDpiImages"), Field::HiDpiImages, ButtonState::Normal},
        {QStringLiteral("KeyboardRollovers"), Field::KeyboardRollovers, ButtonState::Normal},
    };
    return keys;
}

const ProjectKeys::Key* ProjectKeys::find(QStringView name)
{
    const auto it = keyIndex().constFind(asciiLower(name));
    if (it == keyIndex().cend())
        return nullptr;
    const qsizetype classic = all().size();
    return *it < classic ? &all()[*it] : &optional()[*it - classic];
}

bool ProjectKeys::isCaptionKey(QStringView name)
{
    return asciiLower(name) == QLatin1String("labeltext");
}
